#include "ui/stat.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>

// Asks every kind of window Calibrix shows to be maximised, as a title bar's maximise button
// does, and checks that each keeps its fixed size. A compositor that rejects the result ends
// the program with a protocol error, so the exit code tells the outcome: 0 all held, 2 a size
// changed, anything else the program ended.
namespace {

int failures = 0;

// Notes whether the compositor has put a window into the maximised state.
class StateWatch final : public QObject {
public:
    bool maximised = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange &&
            (static_cast<QWidget*>(watched)->windowState() & Qt::WindowMaximized))
            maximised = true;
        return false;
    }
};

// The request goes to the window system as the decoration's button sends it; the widget's own
// state changes only when the compositor answers.
void maximise(QWidget& window, const char* what) {
    const QSize before = window.size();
    StateWatch watch;
    window.installEventFilter(&watch);
    window.windowHandle()->setWindowStates(Qt::WindowMaximized);
    const bool answered = QTest::qWaitFor([&] { return watch.maximised; }, 5000);
    const bool restored = QTest::qWaitFor(
        [&] { return !(window.windowState() & Qt::WindowMaximized) && window.size() == before; },
        5000);
    QTest::qWait(300); // a surface of the wrong size would end the connection by now
    window.removeEventFilter(&watch);
    const QSize after = window.size();
    std::printf("%s: %dx%d after a maximise request (was %dx%d)%s%s\n", what, after.width(),
                after.height(), before.width(), before.height(),
                answered ? ", maximised by the compositor" : ", never maximised",
                restored ? ", restored" : ", not restored");
    std::fflush(stdout);
    if (!answered || !restored || after != before)
        ++failures;
}

QWidget* topLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    calibrix::Stat stat;
    stat.show();
    if (!QTest::qWaitForWindowExposed(&stat))
        return 3;
    QTest::qWait(300);
    maximise(stat, "main window");

    QTest::mouseClick(stat.findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
    QWidget* about = topLevel("About");
    if (about == nullptr || !QTest::qWaitForWindowExposed(about))
        return 3;
    maximise(*about, "About window");

    // A bad value opens the modal "incorrect value" box; maximise it from inside its loop.
    bool boxSeen = false;
    QTimer::singleShot(500, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        boxSeen = true;
        maximise(*box, "message box");
        box->button(QMessageBox::Ok)->click();
    });
    stat.findChild<QLineEdit*>(QStringLiteral("TextX(1)"))->setText(QStringLiteral("x"));
    if (!boxSeen)
        return 3;
    return failures == 0 ? 0 : 2;
}
