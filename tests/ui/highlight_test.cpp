#include "control.h"
#include "ui/about.h"
#include "ui/stat.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

using calibrix::About;
using calibrix::Stat;
using calibrix::test::child;

namespace {

const QColor darkBlue(0, 0, 128);
const QColor white(255, 255, 255);

/// Records the rectangles that widgets repaint.
class PaintLog final : public QObject {
public:
    QList<QPair<QString, QRect>> paints;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            paints << qMakePair(watched->objectName(),
                                static_cast<QPaintEvent*>(event)->region().boundingRect());
        return false;
    }
};

QPointer<About> findAbout() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* about = qobject_cast<About*>(w))
            return about;
    return nullptr;
}

} // namespace

class HighlightTest : public QObject {
    Q_OBJECT

    void moveOver(QWidget* target) {
        const QPoint local = target->rect().center();
        QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(target->mapToGlobal(local)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    void tick(const Stat& w) {
        auto* timer = w.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer != nullptr);
        QCOMPARE(timer->interval(), 100);
        QVERIFY(timer->isActive());
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    }
    QColor markerColor(Stat& w, QPoint drawing) {
        return child(w, "Pict")->grab().toImage().pixelColor(drawing + QPoint(1, 1));
    }

private Q_SLOTS:
    void hoverFollowsTheMouseAndTheFocus() {
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.table().hoverpoint, 1); // the first cell has the focus at start
        const struct {
            const char* control;
            int hoverpoint;
        } moves[] = {
            {"TextY(4)", 4},  {"Label1(4)", 0},  {"TextX(3)", 3},    {"Laba", 3},
            {"Label2(2)", 3}, {"Option1(1)", 3}, {"delpoint(7)", 7}, {"Labl1(1)", 0},
            {"TextX(6)", 6},  {"Pict", 0},       {"TextX(2)", 2},    {"Frame1", 2},
            {"Comcopy", 2},   {"Text1", 0},      {"TextY(9)", 9},
        };
        for (const auto& move : moves) {
            moveOver(child(w, move.control));
            QVERIFY2(w.table().hoverpoint == move.hoverpoint, move.control);
        }
        // The free area of the window highlights nothing.
        QMouseEvent free(QEvent::MouseMove, QPointF(215, 150),
                         QPointF(w.mapToGlobal(QPoint(215, 150))), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&w, &free);
        QCOMPARE(w.table().hoverpoint, 0);
        // The keyboard focus highlights its row wherever the mouse is.
        QTest::keyClick(child(w, "TextX(1)"), Qt::Key_Down);
        QTRY_COMPARE(w.table().hoverpoint, 2);
    }

    void theHighlightedMarkerBlinks() {
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        moveOver(child(w, "TextY(2)"));
        const QPoint second(89, 200); // point 2 of the sample, rounded
        QCOMPARE(markerColor(w, second), darkBlue);
        tick(w); // white becomes dark blue first
        QCOMPARE(markerColor(w, second), darkBlue);
        tick(w);
        QCOMPARE(markerColor(w, second), white);
        QCOMPARE(markerColor(w, QPoint(56, 230)), darkBlue);
        tick(w);
        QCOMPARE(markerColor(w, second), darkBlue);
        tick(w);
        QCOMPARE(markerColor(w, second), white);
        // Another row takes the highlight; the old marker is restored.
        moveOver(child(w, "TextX(10)"));
        tick(w);
        tick(w);
        QCOMPARE(markerColor(w, second), darkBlue);
        QCOMPARE(markerColor(w, QPoint(355, 11)), white);
    }

    void aTickRepaintsOnlyTheMarkers() {
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QApplication::processEvents();
        PaintLog log;
        for (QWidget* widget : w.findChildren<QWidget*>())
            widget->installEventFilter(&log);
        w.installEventFilter(&log);
        moveOver(child(w, "TextY(2)"));
        for (int i = 0; i < 4; ++i) {
            tick(w);
            QApplication::processEvents();
        }
        QVERIFY(!log.paints.isEmpty());
        for (const auto& [name, rect] : log.paints) {
            QCOMPARE(name, QStringLiteral("Pict"));
            QVERIFY2(rect.width() <= 9 && rect.height() <= 9,
                     qPrintable(QStringLiteral("%1x%2").arg(rect.width()).arg(rect.height())));
        }
    }

    void nothingBlinksWithoutAPointOfItsOwn() {
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // A row beyond the last point.
        moveOver(child(w, "TextX(20)"));
        QCOMPARE(w.table().hoverpoint, 20);
        for (int i = 0; i < 3; ++i) {
            tick(w);
            QCOMPARE(markerColor(w, QPoint(56, 230)), darkBlue);
            QCOMPARE(markerColor(w, QPoint(355, 11)), darkBlue);
        }
        // No results: the ticks draw nothing at all.
        moveOver(child(w, "TextX(1)"));
        QTest::mouseClick(child(w, "Clear"), Qt::LeftButton);
        QVERIFY(!w.resultsShown());
        const QImage before = child(w, "Pict")->grab().toImage();
        tick(w);
        tick(w);
        QCOMPARE(child(w, "Pict")->grab().toImage(), before);
    }

    void aboutWindowLifecycle() {
        Stat w;
        w.show();
        auto* about = child(w, "Command3");
        const int loads = About::formLoadCount();
        QTest::mouseClick(about, Qt::LeftButton);
        QTest::mouseClick(about, Qt::LeftButton);
        QPointer<About> first = findAbout();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QCOMPARE(About::formLoadCount(), loads + 1);
        // OK hides it; About brings the same window back without loading it again.
        QTest::mouseClick(first->findChild<QAbstractButton*>(QStringLiteral("Clear")),
                          Qt::LeftButton);
        QVERIFY(first->isHidden());
        QTest::mouseClick(about, Qt::LeftButton);
        QCOMPARE(findAbout(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(About::formLoadCount(), loads + 1);
        // The close box destroys it; the next About creates a new one.
        first->close();
        QTRY_VERIFY(first.isNull());
        QTest::mouseClick(about, Qt::LeftButton);
        QPointer<About> second = findAbout();
        QVERIFY(second);
        QVERIFY(second->isVisible());
        QCOMPARE(About::formLoadCount(), loads + 2);
        // The main window keeps working meanwhile.
        static_cast<QLineEdit*>(child(w, "TextY(1)"))->setText(QStringLiteral("11"));
        QVERIFY(w.resultsShown());
    }

    void exitAndCloseEndTheProgram_data() {
        QTest::addColumn<bool>("viaButton");
        QTest::newRow("Exit") << true;
        QTest::newRow("close box") << false;
    }
    void exitAndCloseEndTheProgram() {
        QFETCH(bool, viaButton);
        Stat w;
        w.show();
        QTest::mouseClick(child(w, "Command3"), Qt::LeftButton); // with About open
        QTimer::singleShot(0, &w, [&] {
            if (viaButton)
                QTest::mouseClick(child(w, "Command5"), Qt::LeftButton);
            else
                w.close();
        });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(HighlightTest)
#include "highlight_test.moc"
