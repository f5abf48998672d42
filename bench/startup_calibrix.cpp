// Starts Calibrix as a user would and quits with the plot's first paint. With --stages it
// prints when each stage of the start ended, in milliseconds since main began.
#include "ui/stat.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <cstdio>
#include <cstring>

namespace {

QElapsedTimer sinceMain;
bool stages = false;

void stage(const char* what) {
    if (stages)
        std::printf("%7.2f ms  %s\n", double(sinceMain.nsecsElapsed()) / 1e6, what);
}

/// Quits the application as the named widget paints for the first time; the frame still goes
/// out, but what the window defers past it, which is not start-up, does not run.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(const char* name) : name_(name) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String(name_)) {
            stage("first paint of the plot");
            QCoreApplication::quit();
        }
        return false;
    }

private:
    const char* name_;
};

} // namespace

int main(int argc, char* argv[]) {
    sinceMain.start();
    stages = argc > 1 && std::strcmp(argv[1], "--stages") == 0;
    QApplication app(argc, argv);
    stage("application");
    FirstPaint quitter("Pict");
    app.installEventFilter(&quitter);
    calibrix::Stat w;
    stage("main window built");
    w.show();
    stage("shown");
    const int status = QApplication::exec();
    stage("event loop left");
    return status;
}
