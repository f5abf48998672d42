// The sample window with the main window: opened from its action, live with every change of
// the calibration, marked on the plot, its rows copied and pasted; the results and the plot
// copied for a report.
#include "control.h"
#include "tests/common/contextmenu.h"
#include "tests/common/modalanswerer.h"
#include "ui/stat.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using calibrix::Stat;
using calibrix::test::child;

class SamplesTest : public QObject {
    Q_OBJECT

    // The shown sample window, or nullptr.
    static QWidget* samplesOf(const Stat&) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("Samples") && top->isVisible())
                return top;
        return nullptr;
    }
    static QWidget* openSamples(Stat& w) {
        child<QAction>(w, QStringLiteral("OpenSamples"))->trigger();
        QWidget* samples = samplesOf(w);
        if (samples == nullptr)
            qFatal("the sample window did not open");
        return samples;
    }
    static QString shown(const QWidget& samples, const char* name, int row) {
        return child<QLabel>(samples, QStringLiteral("%1(%2)").arg(name).arg(row))->text();
    }
    static QLineEdit* cell(const QWidget& window, const char* name, int row) {
        return child<QLineEdit>(window, QStringLiteral("%1(%2)").arg(name).arg(row));
    }
    static QImage plot(Stat& w) { return child(w, QStringLiteral("Pict"))->grab().toImage(); }

private Q_SLOTS:
    // Every change in the main window recalculates the samples at once; blank main results
    // blank them, and an undo brings them back.
    void samplesFollowTheMainWindow() {
        Stat w;
        calibrix::test::ModalAnswerer answerer;
        QWidget* samples = openSamples(w);
        QCOMPARE(samples->windowTitle(), QStringLiteral("Sample concentrations"));
        QCOMPARE(samples->minimumSize(), samples->maximumSize());
        cell(*samples, "SampleMS", 1)->setText(QStringLiteral("45"));
        QCOMPARE(shown(*samples, "SampleC", 1), QStringLiteral("  4.490208"));
        QCOMPARE(shown(*samples, "SampleDC", 1), QStringLiteral("  5.43809E-01"));
        cell(*samples, "SampleM", 1)->setText(QStringLiteral("3"));
        QCOMPARE(shown(*samples, "SampleDC", 1), QStringLiteral("  3.44224E-01"));
        child<QRadioButton>(w, QStringLiteral("Option3"))->click();
        child<QRadioButton>(w, QStringLiteral("Option1(3)"))->click();
        QCOMPARE(shown(*samples, "SampleC", 1), QStringLiteral("  4.509370"));
        child<QRadioButton>(w, QStringLiteral("Option2"))->click();
        cell(w, "TextY", 10)->setText(QStringLiteral("9"));
        QVERIFY(shown(*samples, "SampleC", 1) != QStringLiteral("  4.490208"));
        QTest::mouseClick(child(w, QStringLiteral("Clear")), Qt::LeftButton);
        QCOMPARE(shown(*samples, "SampleC", 1), QString());
        QCOMPARE(shown(*samples, "SampleNote", 1), QString());
        child<QAction>(w, QStringLiteral("Undo"))->trigger();
        QVERIFY(!shown(*samples, "SampleC", 1).isEmpty());
        cell(*samples, "SampleMS", 2)->setText(QStringLiteral("x"));
        QCOMPARE(shown(*samples, "SampleNote", 2), QStringLiteral("incorrect value"));
        QCOMPARE(answerer.count(), 0); // the window reports in place
        // Escape closes it; the same window opens again.
        QTest::keyClick(cell(*samples, "SampleMS", 1), Qt::Key_Escape);
        QVERIFY(!samples->isVisible());
        QCOMPARE(openSamples(w), samples);
    }

    // With no sample the plot is what it was, pixel for pixel; a sample is marked on it.
    void samplesOnThePlot() {
        Stat w;
        const QImage bare = plot(w);
        QWidget* samples = openSamples(w);
        QCOMPARE(plot(w), bare);
        cell(*samples, "SampleMS", 1)->setText(QStringLiteral("45"));
        QVERIFY(plot(w) != bare);
        cell(*samples, "SampleMS", 1)->clear();
        QCOMPARE(plot(w), bare);
        // The copied picture is twice the plot's size.
        cell(*samples, "SampleMS", 1)->setText(QStringLiteral("45"));
        child<QAction>(w, QStringLiteral("CopyPlot"))->trigger();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), bare.size() * 2);
        QCOMPARE(copied.scaled(bare.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .pixelColor(200, 5),
                 plot(w).pixelColor(200, 5));
    }

    void samplesInAndOut() {
        Stat w;
        QWidget* samples = openSamples(w);
        QGuiApplication::clipboard()->setText(
            QStringLiteral("Sample\tMS\tm\r\nriver\t45\t3\r\n50\r\nlake\t5,5\r\n"));
        QTest::mouseClick(child(*samples, QStringLiteral("SamplePaste")), Qt::LeftButton);
        QCOMPARE(cell(*samples, "SampleName", 1)->text(), QStringLiteral("river"));
        QCOMPARE(cell(*samples, "SampleM", 1)->text(), QStringLiteral("3"));
        QCOMPARE(cell(*samples, "SampleName", 2)->text(), QString());
        QCOMPARE(cell(*samples, "SampleMS", 2)->text(), QStringLiteral("50"));
        QCOMPARE(cell(*samples, "SampleMS", 3)->text(), QStringLiteral("5,5"));
        // The window as the user sees it, kept for a look.
        QDir().mkpath(QStringLiteral("screenshots"));
        QVERIFY(samples->grab().save(QStringLiteral("screenshots/samples.png")));
        QVERIFY(w.grab().save(QStringLiteral("screenshots/stat-samples.png")));
        QTest::mouseClick(child(*samples, QStringLiteral("SampleCopy")), Qt::LeftButton);
        const QString copied = QGuiApplication::clipboard()->text();
        const QStringList lines = copied.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QStringLiteral("Sample\tMS\tm\tC\t\u0394C\tNote"));
        QCOMPARE(lines[1], QStringLiteral("river\t45\t3\t4.490208\t3.44224E-01\t"));
        QVERIFY(lines[3].startsWith(QStringLiteral("lake\t5,5\t\t")));
        QVERIFY(lines[3].endsWith(QStringLiteral("below DL, outside C range")));
        QCOMPARE(lines[4], QString());
    }

    void resultsForAReport() {
        Stat w;
        child<QAction>(w, QStringLiteral("CopyResults"))->trigger();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), QStringLiteral("Model\tMS = a + bC\r\nConfidence level\t95 %\r\n"
                                              "a\t5.33333E-01\r\n\u0394a\t3.488149\r\n"
                                              "b\t9.903030\r\n\u0394b\t5.62166E-01\r\n"
                                              "DL\t6.28757E-01\r\nSD\t2.214279\r\n"
                                              "R\t0.99758\r\nn\t10\r\n"));
        QVERIFY(data->html().contains(QStringLiteral("<td>\u0394b</td><td>5.62166E-01</td>")));
        child<QRadioButton>(w, QStringLiteral("Option3"))->click();
        child<QAction>(w, QStringLiteral("CopyResults"))->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(
            QStringLiteral("Model\tMS = bC\r\nConfidence level\t95 %\r\na\t\r\n\u0394a\t\r\n")));
    }

    // The action is in the context menu of the results, the plot and the cells, with its key.
    void reachedFromTheMenus() {
        Stat w;
        auto* open = child<QAction>(w, QStringLiteral("OpenSamples"));
        QVERIFY(!open->shortcut().isEmpty());
        for (const char* name : {"Laba", "Labr", "Pict"})
            QVERIFY(child(w, QLatin1String(name))->actions().contains(open));
        // The menu key in a cell opens its menu, and the action there opens the window.
        const calibrix::test::Offered offered = calibrix::test::useContextMenu(
            [&w] { QTest::keyClick(cell(w, "TextX", 1), Qt::Key_Menu); },
            QStringLiteral("OpenSamples"));
        QVERIFY(samplesOf(w) != nullptr);
        for (const char* name : {"OpenSamples", "CopyResults", "CopyPlot"})
            QVERIFY(offered.names.contains(QLatin1String(name)));
    }
};

QTEST_MAIN(SamplesTest)
#include "sampleswindow_test.moc"
