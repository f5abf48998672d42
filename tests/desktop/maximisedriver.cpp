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

void maximise(QWidget& window, const char* what) {
    const QSize before = window.size();
    window.windowHandle()->setWindowStates(Qt::WindowMaximized);
    QTest::qWait(800);
    const QSize after = window.size();
    std::printf("%s: %dx%d after a maximise request (was %dx%d)\n", what, after.width(),
                after.height(), before.width(), before.height());
    std::fflush(stdout);
    if (after != before)
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
