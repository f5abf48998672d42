// Starts Calibrix as a user would and quits right after the plot's first paint.
#include "ui/stat.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

/// Quits the application once the named widget has painted for the first time.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(const char* name) : name_(name) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String(name_))
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return false;
    }

private:
    const char* name_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FirstPaint quitter("Pict");
    app.installEventFilter(&quitter);
    calibrix::Stat w;
    w.show();
    return app.exec();
}
