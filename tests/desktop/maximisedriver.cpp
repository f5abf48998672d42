#include "ui/about.h"
#include "ui/stat.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>

// Without arguments: asks every kind of window Calibrix shows to be maximised, as a title bar's
// maximise button does, and checks that each keeps its fixed size. A compositor that rejects
// the result ends the program with a protocol error, so the exit code tells the outcome: 0 all
// held, 2 a size changed, anything else the program ended.
// --positions: prints where a test clicks; --sizes: reports the windows' sizes as they change.
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

// Tells where, in window coordinates, a desktop test clicks: the middle of each button it
// presses and of the first cell.
int printClickPositions() {
    calibrix::Stat stat;
    auto* about = new calibrix::About();
    for (auto [window, name] : {std::pair<QWidget*, const char*>{&stat, "Command3"},
                                {&stat, "Command5"},
                                {&stat, "TextX(1)"},
                                {about, "Clear"}}) {
        auto* control = window->findChild<QWidget*>(QString::fromLatin1(name));
        if (control == nullptr)
            return 3;
        const QPoint at = control->mapTo(window, control->rect().center());
        std::printf("%s %s %d %d\n", qPrintable(window->objectName()), name, at.x(), at.y());
    }
    delete about;
    return 0;
}

// Reports each size the main and the About window take, and where the pointer is over their
// content, until the test ends it (at most after two minutes): a compositor's own idea of a
// window's size is the space it gives it, not what the program draws, and a Wayland client
// never learns where its window is, so a test finds it from the pointer.
class SizeReport final : public QObject {
public:
    void watch(QWidget& window) {
        window.installEventFilter(this);
        // The native window sees every move over the content, whichever child is under it.
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* window = qobject_cast<QWidget*>(watched);
            window && event->type() == QEvent::Resize)
            std::printf("size %s %dx%d\n", qPrintable(window->objectName()), window->width(),
                        window->height());
        if (auto* native = qobject_cast<QWindow*>(watched);
            native && event->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            for (const QWidget* window : QApplication::topLevelWidgets())
                if (window->windowHandle() == native)
                    std::printf("pointer %s %d %d\n", qPrintable(window->objectName()), at.x(),
                                at.y());
        }
        std::fflush(stdout);
        return false;
    }
};

int reportSizes() {
    calibrix::Stat stat;
    SizeReport report;
    stat.show();
    if (!QTest::qWaitForWindowExposed(&stat))
        return 3;
    report.watch(stat);
    QTest::mouseClick(stat.findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
    QWidget* about = topLevel("About");
    if (about == nullptr || !QTest::qWaitForWindowExposed(about))
        return 3;
    report.watch(*about);
    // The frame Qt draws around each (zero where the desktop draws it): left top right bottom.
    for (const QWidget* window : {static_cast<QWidget*>(&stat), about}) {
        const QMargins frame = window->windowHandle()->frameMargins();
        std::printf("frame %s %d %d %d %d\n", qPrintable(window->objectName()), frame.left(),
                    frame.top(), frame.right(), frame.bottom());
    }
    std::printf("size About %dx%d\nsize Stat %dx%d\nready\n", about->width(), about->height(),
                stat.width(), stat.height());
    std::fflush(stdout);
    QTimer::singleShot(120000, &QCoreApplication::quit);
    return QApplication::exec();
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("--positions"))
        return printClickPositions();
    if (mode == QLatin1String("--sizes"))
        return reportSizes();
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
