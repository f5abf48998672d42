// Starts Calibrix as a user would and quits with the plot's first paint.
#include "ui/stat.h"

#include <QApplication>
#include <QEvent>

namespace {

/// Quits the application as the named widget paints for the first time; the frame still goes
/// out, but what the window defers past it, which is not start-up, does not run.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(const char* name) : name_(name) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String(name_))
            QCoreApplication::quit();
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
