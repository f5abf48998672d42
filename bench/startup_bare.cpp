// The floor for start-up: a bare Qt window that quits right after its first paint.
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

class Bare final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QTimer::singleShot(0, qApp, &QCoreApplication::quit); }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Bare w;
    w.resize(598, 482);
    w.show();
    return app.exec();
}
