#include "control.h"
#include "ui/stat.h"
#include "windowkit/keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using calibrix::Stat;
using calibrix::test::child;

// The main window with the keyboard alone: Enter on the buttons, Tab into the option groups.
class KeyboardTest : public QObject {
    Q_OBJECT

    static QWidget* focused() { return QApplication::focusWidget(); }

private Q_SLOTS:
    // Paste needs two columns on the clipboard, or it asks in a modal box.
    void init() {
        QGuiApplication::clipboard()->setText(QStringLiteral("1\t2\r\n2\t4\r\n3\t6\r\n"));
    }

    void keysPressTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        const char* const buttons[] = {"Comcopy",  "Comcpaste", "Clear",       "Command3",
                                       "Command5", "Command1",  "delpoint(1)", "delpoint(25)"};
        for (const char* button : buttons) {
            const QString name = QString::fromLatin1(button);
            QTest::addRow("%s Return", button) << name << int(Qt::Key_Return) << 0;
            QTest::addRow("%s keypad Enter", button)
                << name << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
            QTest::addRow("%s Space", button) << name << int(Qt::Key_Space) << 0;
        }
    }
    void keysPressTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* pressed = child<QAbstractButton>(w, button);
        pressed->setFocus(Qt::TabFocusReason);
        QCOMPARE(focused(), pressed);
        QSignalSpy clicks(pressed, &QAbstractButton::clicked);
        QTest::keyClick(pressed, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(clicks.count(), 1);
    }

    // Enter presses only without Shift, Ctrl, Alt or Meta; the keypad's own flag does not count.
    void plainEnter_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<bool>("enter");
        const int keypad = Qt::KeypadModifier;
        QTest::newRow("Return") << int(Qt::Key_Return) << 0 << true << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << true << true;
        QTest::newRow("Shift+Return")
            << int(Qt::Key_Return) << int(Qt::ShiftModifier) << false << false;
        QTest::newRow("Ctrl+keypad Enter")
            << int(Qt::Key_Enter) << (int(Qt::ControlModifier) | keypad) << false << false;
        QTest::newRow("Alt+Return")
            << int(Qt::Key_Return) << int(Qt::AltModifier) << false << false;
        QTest::newRow("Meta+Enter")
            << int(Qt::Key_Enter) << int(Qt::MetaModifier) << false << false;
        QTest::newRow("Space") << int(Qt::Key_Space) << 0 << true << false;
        QTest::newRow("keypad 5") << int(Qt::Key_5) << keypad << true << false;
    }
    void plainEnter() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, plain);
        QFETCH(bool, enter);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(calibrix::isPlain(event), plain);
        QCOMPARE(calibrix::isPlainEnter(event), enter);
    }

    void tabLandsOnTheCheckedOption_data() {
        QTest::addColumn<QString>("checked"); // clicked before, without taking the focus
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QString>("lands");
        QTest::newRow("levels, 95 % at start") << ""
                                               << "Clear" << false << "Option1(2)";
        QTest::newRow("levels, 99 %") << "Option1(3)"
                                      << "Clear" << false << "Option1(3)";
        QTest::newRow("levels, 90 %") << "Option1(1)"
                                      << "Clear" << false << "Option1(1)";
        QTest::newRow("models after levels") << ""
                                             << "Option1(2)" << false << "Option2";
        QTest::newRow("models, MS = bC") << "Option3"
                                         << "Option1(2)" << false << "Option3";
        QTest::newRow("back to models") << ""
                                        << "Comcopy" << true << "Option2";
        QTest::newRow("back to models, MS = bC") << "Option3"
                                                 << "Comcopy" << true << "Option3";
        QTest::newRow("back to levels, 99 %") << "Option1(3)"
                                              << "Option2" << true << "Option1(3)";
        QTest::newRow("back to levels, 90 %") << "Option1(1)"
                                              << "Option2" << true << "Option1(1)";
    }
    void tabLandsOnTheCheckedOption() {
        QFETCH(QString, checked);
        QFETCH(QString, from);
        QFETCH(bool, backwards);
        QFETCH(QString, lands);
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        if (!checked.isEmpty())
            child<QAbstractButton>(w, checked)->click();
        child(w, from)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focused(), Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(focused(), child(w, lands));
    }

    // The arrows move and recalculate; leaving the group and coming back finds the new choice.
    void arrowsChooseWithinTheGroup() {
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const auto* labdb = child<QLabel>(w, "Labdb");
        const QString at95 = QStringLiteral("  5.62166E-01");
        QCOMPARE(labdb->text(), at95);
        child(w, "Clear")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focused(), Qt::Key_Tab);
        QTest::keyClick(focused(), Qt::Key_Down);
        QCOMPARE(focused(), child(w, "Option1(3)"));
        QVERIFY(child<QAbstractButton>(w, "Option1(3)")->isChecked());
        QVERIFY2(labdb->text() != at95, qPrintable(labdb->text()));
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), child(w, "Option2"));
        QTest::keyClick(focused(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), child(w, "Option1(3)"));
        QTest::keyClick(focused(), Qt::Key_Up);
        QCOMPARE(focused(), child(w, "Option1(2)"));
        QCOMPARE(labdb->text(), at95);
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
