#include "ui/stat.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop tie the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(CALIBRIX_APP_ID));
    calibrix::Stat w;
    w.show();
    return app.exec();
}
