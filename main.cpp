#include "ui/stat.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    calibrix::Stat w;
    w.show();
    return app.exec();
}
