// What the screen-reader support decides itself: which result changes are spoken, that a cell
// reports one attribute run over its whole text, and that nothing runs while nobody listens.
// What Orca makes of it is tested with Orca itself (tests/accessibility/orca_test.py).
#include "tests/common/modalanswerer.h"
#include "ui/stat.h"
#include "windowkit/accessibility.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <vector>

using calibrix::HeardResult;

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void changedResults_data();
    void changedResults();
    void cellReadWhole_data();
    void cellReadWhole();
    void silentWhileNobodyListens();
    void toldAfterThePaint();
    void actionsReturnBeforeTheirBox_data();
    void actionsReturnBeforeTheirBox();
    void changedWhileABoxIsOpenIsCalculated();
};

namespace {

// The sample results, then those of another table.
const std::vector<HeardResult> sample{{"a", "5.33333E-01"}, {"b", "9.903030"}, {"R", "0.99758"}};
const std::vector<HeardResult> other{{"a", "5.33333E-01"}, {"b", "2.115152"}, {"R", "0.08291"}};
const std::vector<HeardResult> blank{{"a", ""}, {"b", " "}, {"R", ""}};
const std::vector<HeardResult> origin{{"a", ""}, {"b", "2.000000"}, {"R", "1.00000"}};

/// Runs a function on every event of one type that a widget gets, before the widget handles it.
class OnEvent final : public QObject {
public:
    OnEvent(QEvent::Type type, std::function<void()> run) : type_(type), run_(std::move(run)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_)
            run_();
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> run_;
};

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

// Without assistive technology the results' names stay as the layout made them, and the
// notification is never shown.
void AccessibilityTest::silentWhileNobodyListens() {
    QVERIFY(!QAccessible::isActive());
    calibrix::Stat window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* cell = window.findChild<QLineEdit*>(QStringLiteral("TextY(4)"));
    cell->setFocus();
    QTest::keyClicks(cell, QStringLiteral("4"));
    QTest::qWait(50);
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("Labb"))->text() !=
            QStringLiteral("  9.903030"));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Labb"))->accessibleName(),
             QStringLiteral("b"));
    QVERIFY(!window.findChild<QLabel*>(QStringLiteral("Announcement"))->isVisible());
}

// While a screen reader listens the results reach the screen first and the bus after: the
// window is painted before the screen reader's waiting queries are answered, while the names
// still tell the old results, and two recalculations before the paint make one announcement.
void AccessibilityTest::toldAfterThePaint() {
    QWidget window;
    window.resize(200, 100);
    auto* a = new QLabel(&window);
    auto* b = new QLabel(&window);
    a->setAccessibleName(QStringLiteral("a"));
    b->setAccessibleName(QStringLiteral("b"));
    auto* plot = new QWidget(&window);
    plot->setGeometry(0, 40, 100, 50);
    calibrix::SpokenResults spoken(
        {a, b}, *plot, window, [] { return QStringLiteral("plot"); }, [] { return true; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList namesAtPaint, order;
    OnEvent paint(QEvent::Paint, [&] {
        namesAtPaint << a->accessibleName();
        order << QStringLiteral("paint");
    });
    plot->installEventFilter(&paint);
    // A screen reader's query, as Qt delivers it: a posted event of normal priority.
    QObject queries;
    OnEvent query(QEvent::User, [&] { order << QStringLiteral("query"); });
    queries.installEventFilter(&query);
    auto* announcement = window.findChild<QLabel*>(QStringLiteral("Announcement"));
    int announcements = 0;
    OnEvent shown(QEvent::Show, [&] { ++announcements; });
    announcement->installEventFilter(&shown);

    a->setText(QStringLiteral("1.5"));
    b->setText(QStringLiteral("2"));
    plot->update();
    spoken.update();
    QCoreApplication::postEvent(&queries, new QEvent(QEvent::User));
    a->setText(QStringLiteral("1.6"));
    spoken.update();
    QTRY_COMPARE(announcements, 1);
    QCOMPARE(order, (QStringList{QStringLiteral("paint"), QStringLiteral("query")}));
    QTest::qWait(50);
    QCOMPARE(namesAtPaint, QStringList{QStringLiteral("a")});
    QCOMPARE(a->accessibleName(), QStringLiteral("a, 1.6"));
    QCOMPARE(announcements, 1);
    QCOMPARE(announcement->text(), QStringLiteral("a 1.6, b 2"));
}

void AccessibilityTest::actionsReturnBeforeTheirBox_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("option's Toggle") << QStringLiteral("Option1(1)");
    QTest::newRow("cell's text replaced") << QStringLiteral("TextY(3)");
}

// A screen reader waits for its call: a box opened inside it would hold the screen reader until
// somebody closed the box without it. The box comes after the call.
void AccessibilityTest::actionsReturnBeforeTheirBox() {
    QFETCH(QString, control);
    calibrix::Stat window;
    calibrix::test::ModalAnswerer answerer;
    window.findChild<QLineEdit*>(QStringLiteral("TextX(2)"))->setText(QStringLiteral("2x"));
    QCOMPARE(answerer.count(), 1);
    QAccessibleInterface* iface =
        QAccessible::queryAccessibleInterface(window.findChild<QWidget*>(control));
    if (QAccessibleEditableTextInterface* edit = iface->editableTextInterface())
        edit->replaceText(0, 2, QStringLiteral("5"));
    else
        iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(answerer.count(), 1);
    QTRY_COMPARE(answerer.count(), 2);
}

// A change that lands while a bad value's box is open, as a screen reader's may, is calculated
// once the box has closed.
void AccessibilityTest::changedWhileABoxIsOpenIsCalculated() {
    calibrix::Stat window;
    auto* cell = window.findChild<QLineEdit*>(QStringLiteral("TextX(2)"));
    calibrix::test::ModalAnswerer answerer;
    answerer.setChooser([cell](const QMessageBox&) {
        cell->setText(QStringLiteral("2"));
        return QMessageBox::Ok;
    });
    cell->setText(QStringLiteral("2x"));
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(cell->text(), QStringLiteral("2"));
    QVERIFY(window.resultsShown());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
