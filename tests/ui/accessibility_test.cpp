// What assistive technology is given beyond the widgets' own: the spoken result changes, the
// roles of the windows, cells read whole, and Escape in the About window. What Orca makes of
// it is tested with Orca itself (tests/accessibility/orca_test.py).
#include "modalanswerer.h"
#include "ui/about.h"
#include "ui/accessibility.h"
#include "ui/stat.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <vector>

using calibrix::HeardResult;

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void changedResults_data();
    void changedResults();
    void allResults();
    void roles_data();
    void roles();
    void cellReadWhole_data();
    void cellReadWhole();
    void cellEditedThroughInterface();
    void escapeClosesAbout();
    void silentWhileNobodyListens();
};

namespace {

// The sample results, then those of another table.
const std::vector<HeardResult> sample{{"a", "5.33333E-01"}, {"b", "9.903030"}, {"R", "0.99758"}};
const std::vector<HeardResult> other{{"a", "5.33333E-01"}, {"b", "2.115152"}, {"R", "0.08291"}};
const std::vector<HeardResult> blank{{"a", ""}, {"b", " "}, {"R", ""}};
const std::vector<HeardResult> origin{{"a", ""}, {"b", "2.000000"}, {"R", "1.00000"}};

} // namespace

void AccessibilityTest::changedResults_data() {
    QTest::addColumn<std::vector<HeardResult>>("before");
    QTest::addColumn<std::vector<HeardResult>>("now");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("nothing changed") << sample << sample << QString();
    QTest::newRow("only the changed results")
        << sample << other << QStringLiteral("b 2.115152, R 0.08291");
    QTest::newRow("all blank") << sample << blank << QStringLiteral("results empty");
    QTest::newRow("blank stays blank") << blank << blank << QString();
    QTest::newRow("some blank") << sample << origin
                                << QStringLiteral("a empty, b 2.000000, R 1.00000");
    QTest::newRow("padding is not a change")
        << std::vector<HeardResult>{{"b", "2.0 "}} << std::vector<HeardResult>{{"b", " 2.0"}}
        << QString();
    QTest::newRow("nothing heard yet") << std::vector<HeardResult>{} << other
                                       << QStringLiteral("a 5.33333E-01, b 2.115152, R 0.08291");
}

void AccessibilityTest::changedResults() {
    QFETCH(std::vector<HeardResult>, before);
    QFETCH(std::vector<HeardResult>, now);
    QFETCH(QString, spoken);
    QCOMPARE(calibrix::changedResults(before, now), spoken);
}

void AccessibilityTest::allResults() {
    QCOMPARE(calibrix::allResults(sample), QStringLiteral("a 5.33333E-01, b 9.903030, R 0.99758"));
    QCOMPARE(calibrix::allResults(blank), QStringLiteral("results empty"));
}

void AccessibilityTest::roles_data() {
    QTest::addColumn<QString>("object");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::newRow("main window") << QStringLiteral("Stat") << int(QAccessible::Window)
                                 << QStringLiteral("CALIBRIX for Chemical Analysis 2.0");
    QTest::newRow("About window") << QStringLiteral("About") << int(QAccessible::Dialog)
                                  << QStringLiteral(" About");
    QTest::newRow("status bar") << QStringLiteral("StatusBar") << int(QAccessible::StatusBar)
                                << QString();
    QTest::newRow("notification") << QStringLiteral("Announcement")
                                  << int(QAccessible::Notification) << QString();
    QTest::newRow("cell") << QStringLiteral("TextY(3)") << int(QAccessible::EditableText)
                          << QStringLiteral("MS, point 3");
}

void AccessibilityTest::roles() {
    QFETCH(QString, object);
    QFETCH(int, role);
    QFETCH(QString, name);
    calibrix::Stat window;
    auto* about = new calibrix::About();
    const QPointer<calibrix::About> guard(about);
    QObject* found = object == QLatin1String("Stat")    ? &window
                     : object == QLatin1String("About") ? about
                                                        : window.findChild<QObject*>(object);
    QVERIFY(found != nullptr);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(found);
    QVERIFY(iface != nullptr);
    QCOMPARE(int(iface->role()), role);
    if (!name.isNull())
        QCOMPARE(iface->text(QAccessible::Name), name);
    delete guard.data();
}

void AccessibilityTest::cellReadWhole_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("one character") << QStringLiteral("1");
    QTest::newRow("two characters") << QStringLiteral("10");
    QTest::newRow("bad value") << QStringLiteral("28x");
}

// One attribute run covers the whole text, whichever offset is asked about.
void AccessibilityTest::cellReadWhole() {
    QFETCH(QString, text);
    calibrix::Stat window;
    calibrix::test::ModalAnswerer answerer; // the bad value's box
    auto* cell = window.findChild<QLineEdit*>(QStringLiteral("TextX(2)"));
    cell->setText(text);
    QAccessibleTextInterface* iface = QAccessible::queryAccessibleInterface(cell)->textInterface();
    QVERIFY(iface != nullptr);
    QCOMPARE(iface->characterCount(), int(text.size()));
    QCOMPARE(iface->text(0, iface->characterCount()), text);
    for (int offset = 0; offset <= int(text.size()); ++offset) {
        int start = -1, end = -1;
        iface->attributes(offset, &start, &end);
        QCOMPARE(start, 0);
        QCOMPARE(end, int(text.size()));
    }
}

// A screen reader's edits change the cell as typing does, and so recalculate.
void AccessibilityTest::cellEditedThroughInterface() {
    calibrix::Stat window;
    auto* cell = window.findChild<QLineEdit*>(QStringLiteral("TextY(1)"));
    auto* b = window.findChild<QLabel*>(QStringLiteral("Labb"));
    const QString sampleSlope = b->text();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(cell);
    QAccessibleEditableTextInterface* edit = iface->editableTextInterface();
    QVERIFY(edit != nullptr);
    QVERIFY(iface->state().editable);
    edit->insertText(2, QStringLiteral("5"));
    QCOMPARE(cell->text(), QStringLiteral("105"));
    QVERIFY(b->text() != sampleSlope);
    edit->replaceText(1, 3, QStringLiteral("0"));
    QCOMPARE(cell->text(), QStringLiteral("10"));
    QCOMPARE(b->text(), sampleSlope);
    edit->deleteText(0, 2);
    QCOMPARE(iface->text(QAccessible::Value), QString());
    iface->textInterface()->setSelection(0, 0, 0);
    cell->setText(QStringLiteral("123"));
    iface->textInterface()->setSelection(0, 1, 3);
    int start = 0, end = 0;
    iface->textInterface()->selection(0, &start, &end);
    QCOMPARE(std::pair(start, end), std::pair(1, 3));
    QCOMPARE(cell->selectedText(), QStringLiteral("23"));
}

void AccessibilityTest::escapeClosesAbout() {
    auto* about = new calibrix::About();
    const QPointer<calibrix::About> guard(about);
    about->show();
    QVERIFY(QTest::qWaitForWindowActive(about));
    QTest::keyClick(about, Qt::Key_Escape);
    QVERIFY(!about->isVisible());
    QVERIFY(!guard.isNull()); // hidden as OK hides it, not destroyed
    delete about;
}

// Without assistive technology the results' names stay as the layout made them, and the
// notification is never shown.
void AccessibilityTest::silentWhileNobodyListens() {
    QVERIFY(!QAccessible::isActive());
    calibrix::Stat window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* cell = window.findChild<QLineEdit*>(QStringLiteral("TextY(4)"));
    cell->setText(QStringLiteral("44"));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Labb"))->accessibleName(),
             QStringLiteral("b"));
    QVERIFY(!window.findChild<QLabel*>(QStringLiteral("Announcement"))->isVisible());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
