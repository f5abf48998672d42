#include "control.h"
#include "tests/common/contextmenu.h"
#include "tests/common/messages.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/sampletable.h"
#include "ui/stat.h"
#include "ui/statlayout.h"
#include "windowkit/artwork.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using calibrix::Stat;
using calibrix::test::child;
using calibrix::test::ModalAnswerer;

namespace {

const char* const resultNames[] = {"Laba", "Labda", "Labb", "Labdb", "Labnv", "Labso", "Labr"};

QString badPoint(int row) {
    return QString::fromStdString(calibrix::testdata::badPoint(row));
}

} // namespace

class StatTest : public QObject {
    Q_OBJECT

    QLineEdit* cellX(const Stat& w, int row) {
        return child<QLineEdit>(w, QStringLiteral("TextX(%1)").arg(row));
    }
    QLineEdit* cellY(const Stat& w, int row) {
        return child<QLineEdit>(w, QStringLiteral("TextY(%1)").arg(row));
    }
    QStringList results(const Stat& w) {
        QStringList texts;
        for (const char* name : resultNames)
            texts << child<QLabel>(w, QLatin1String(name))->text();
        return texts;
    }
    bool blank(const Stat& w) {
        for (const QString& t : results(w))
            if (!t.isEmpty())
                return false;
        return true;
    }
    void typeInto(QLineEdit* cell, const QString& text) {
        cell->setFocus();
        cell->selectAll();
        QTest::keyClicks(cell, text);
    }
    QImage plotImage(Stat& w) { return child(w, QStringLiteral("Pict"))->grab().toImage(); }
    QStringList cells(const Stat& w) {
        QStringList texts;
        for (int row = 1; row <= 25; ++row)
            texts << cellX(w, row)->text() << cellY(w, row)->text();
        return texts;
    }
    // The window's keys reach it only while it is active.
    void showActive(Stat& w) {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

private Q_SLOTS:
    void startupResultsForEveryModelAndLevel_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("expected");
        for (const auto& example : calibrix::testdata::workedExamples) {
            QStringList texts;
            for (const char* text : example.texts)
                texts << QString::fromLatin1(text);
            QTest::newRow(example.name)
                << (example.model == calibrix::Model::Origin ? "Option3" : "Option2")
                << example.level << texts;
        }
    }
    void startupResultsForEveryModelAndLevel() {
        QFETCH(QString, model);
        QFETCH(int, level);
        QFETCH(QStringList, expected);
        Stat w;
        QVERIFY(child<QRadioButton>(w, "Option2")->isChecked());
        QVERIFY(child<QRadioButton>(w, "Option1(2)")->isChecked());
        QVERIFY(w.resultsShown());
        QCOMPARE(w.table().npoints, 10);
        child<QRadioButton>(w, model)->click();
        if (level == 3) // through its significance caption, which selects the level
            QTest::mouseClick(child(w, "Label3(3)"), Qt::LeftButton);
        else
            child<QRadioButton>(w, QStringLiteral("Option1(%1)").arg(level))->click();
        QVERIFY(child<QRadioButton>(w, QStringLiteral("Option1(%1)").arg(level))->isChecked());
        QCOMPARE(results(w), expected);
    }

    void windowAndFirstFocus() {
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), QSize(598, 482));
        QCOMPARE(w.windowTitle(), QStringLiteral("CALIBRIX for Chemical Analysis 2.0"));
        QCOMPARE(QApplication::focusWidget(), cellX(w, 1));
        QCOMPARE(w.table().hoverpoint, 1);
        QCOMPARE(child(w, "TextX(3)")->geometry(), QRect(24, 56, 81, 19));
        QCOMPARE(child(w, "delpoint(25)")->x() - child(w, "delpoint(24)")->x(), 2);
        QCOMPARE(child(w, "Pict")->geometry(), QRect(208, 176, 385, 257));
        // The calculate button lies beyond the client area.
        QVERIFY(child(w, "Command1")->x() >= w.width());
        for (int row = 1; row <= 25; ++row) {
            const bool bold =
                child<QLabel>(w, QStringLiteral("Label1(%1)").arg(row))->font().bold();
            QCOMPARE(bold, row <= 10);
        }
        QDir().mkpath(QStringLiteral("screenshots"));
        QVERIFY(w.grab().save(QStringLiteral("screenshots/stat.png")));
    }

    // A cell's border is its outermost ring of pixels, blue with the focus and grey without.
    void cellBorderIsTheOuterPixelRing() {
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const auto& [row, border] :
             {std::pair(1, QColor(0, 84, 200)), std::pair(2, QColor(122, 122, 122))}) {
            const QImage image = cellX(w, row)->grab().toImage();
            for (const int x : {0, 40, 80})
                for (const int y : {0, 9, 18})
                    QCOMPARE(image.pixelColor(x, y), x == 40 && y == 9 ? Qt::white : border);
            QCOMPARE(image.pixelColor(1, 1), QColor(Qt::white));
        }
    }

    // The window manager's icon is rendered once the first frame is out, not before it.
    void windowIconFollowsTheFirstFrame() {
        Stat w;
        QVERIFY(!w.testAttribute(Qt::WA_SetWindowIcon));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(w.testAttribute(Qt::WA_SetWindowIcon));
        QCOMPARE(w.windowIcon().pixmap(32).size(), QSize(32, 32));
    }

    void buttonPicturesKeepTheirArtworksSize() {
        Stat w;
        for (const auto& row : calibrix::statLayout()) {
            const calibrix::Picture& picture = row.control.picture;
            if (picture.name == nullptr)
                continue;
            QCOMPARE(calibrix::artworkSize(picture.name), QSize(picture.width, picture.height));
        }
        QCOMPARE(child<QAbstractButton>(w, "Clear")->iconSize(), QSize(93, 36));
        QCOMPARE(child<QAbstractButton>(w, "delpoint(7)")->iconSize(), QSize(23, 23));
    }

    void typingABadValueShowsOneMessageAndBlanks() {
        Stat w;
        w.show();
        ModalAnswerer answerer;
        typeInto(cellX(w, 3), QStringLiteral("12a"));
        QCOMPARE(answerer.texts(), QStringList{badPoint(3)});
        QCOMPARE(answerer.titles(), QStringList{QStringLiteral("incorrect value")});
        QVERIFY(blank(w));
        QVERIFY(!w.resultsShown());
        QTest::keyClick(cellX(w, 3), Qt::Key_Backspace);
        QCOMPARE(cellX(w, 3)->text(), QStringLiteral("12"));
        QCOMPARE(answerer.count(), 1);
        QVERIFY(!blank(w));
        QVERIFY(w.resultsShown());
    }

    void cellsKeepTwelveCharactersAndLeadingBlanksAreTrimmed() {
        Stat w;
        typeInto(cellY(w, 12), QStringLiteral("1234567890123"));
        QCOMPARE(cellY(w, 12)->text(), QStringLiteral("123456789012"));
        QCOMPARE(w.table().npoints, 12);
        typeInto(cellY(w, 12), QStringLiteral("   "));
        QCOMPARE(cellY(w, 12)->text(), QString());
        QCOMPARE(w.table().npoints, 10);
        QVERIFY(w.resultsShown());
    }

    void deletingRowThreeMovesTheRowsBelowUp() {
        Stat w;
        QTest::mouseClick(child(w, "delpoint(3)"), Qt::LeftButton);
        const QStringList c{"1", "2", "4", "5", "6", "7", "8", "9", "10", ""};
        const QStringList ms{"10", "22", "43", "51", "56", "69", "80", "92", "99", ""};
        for (int row = 1; row <= 10; ++row) {
            QCOMPARE(cellX(w, row)->text(), c[row - 1]);
            QCOMPARE(cellY(w, row)->text(), ms[row - 1]);
        }
        QCOMPARE(w.table().npoints, 9);
        QVERIFY(child<QLabel>(w, "Label1(9)")->font().bold());
        QVERIFY(!child<QLabel>(w, "Label1(10)")->font().bold());
        QVERIFY(w.resultsShown());
        // The nine remaining points give their own fit, not the ten-point one.
        QVERIFY(child<QLabel>(w, "Labb")->text() != QStringLiteral("  9.903030"));
        QVERIFY(!child<QLabel>(w, "Labb")->text().isEmpty());
    }

    void deletingBelowTheLastPointOnlyRecalculates() {
        Stat w;
        const QStringList before = results(w);
        QTest::mouseClick(child(w, "delpoint(20)"), Qt::LeftButton);
        QCOMPARE(w.table().npoints, 10);
        QCOMPARE(results(w), before);
    }

    void deletionWithABadRowShowsOneMessage() {
        Stat w;
        ModalAnswerer answerer;
        cellY(w, 7)->setText(QStringLiteral("x"));
        QCOMPARE(answerer.texts(), QStringList{badPoint(7)});
        answerer.clear();
        QTest::mouseClick(child(w, "delpoint(2)"), Qt::LeftButton);
        QCOMPARE(answerer.texts(), QStringList{badPoint(6)}); // the bad row moved up
        QCOMPARE(cellY(w, 6)->text(), QStringLiteral("x"));
        QCOMPARE(w.table().npoints, 9);
        QVERIFY(blank(w));
    }

    void optionClickWithABadRowShowsOneMessage() {
        Stat w;
        ModalAnswerer answerer;
        cellX(w, 4)->setText(QStringLiteral("4,5,"));
        QCOMPARE(answerer.count(), 1);
        answerer.clear();
        child<QRadioButton>(w, "Option3")->click();
        QCOMPARE(answerer.texts(), QStringList{badPoint(4)});
        QTest::mouseClick(child(w, "Label3(1)"), Qt::LeftButton);
        QCOMPARE(answerer.count(), 2);
        QVERIFY(blank(w));
    }

    // While the bad-value box waits for the user, the rows already show in bold and the last
    // results are still on screen; they go blank once the box is closed.
    void theBadValueBoxComesAfterTheLabelsAndBeforeTheBlanking() {
        Stat w;
        w.show();
        const QStringList before = results(w);
        QLabel* label12 = child<QLabel>(w, "Label1(12)");
        QStringList atBox;
        bool boldAtBox = false;
        ModalAnswerer answerer;
        answerer.setChooser([&](const QMessageBox&) {
            atBox = results(w);
            boldAtBox = label12->font().bold();
            return QMessageBox::Ok;
        });
        cellY(w, 12)->setText(QStringLiteral("x"));
        QCOMPARE(answerer.texts(), QStringList{badPoint(12)});
        QVERIFY(boldAtBox);
        QCOMPARE(atBox, before);
        QVERIFY(blank(w));
    }

    // A read that stopped at a bad cell did not read the edits after it: the copy names that
    // point again instead of handing on numbers the cells do not show.
    void copyAfterABadCellNamesThePointAndKeepsTheClipboard() {
        Stat w;
        w.show();
        ModalAnswerer answerer;
        typeInto(cellX(w, 3), QStringLiteral("12a"));
        typeInto(cellY(w, 5), QStringLiteral("500"));
        typeInto(cellX(w, 11), QStringLiteral("11"));
        typeInto(cellY(w, 11), QStringLiteral("111"));
        answerer.clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        QTest::mouseClick(child(w, "Comcopy"), Qt::LeftButton);
        QCOMPARE(answerer.texts(), QStringList{badPoint(3)});
        QCOMPARE(answerer.titles(),
                 QStringList{QString::fromLatin1(calibrix::testdata::badValueTitle)});
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
        QVERIFY(blank(w));

        // Mended, the copy writes what the cells show, and says nothing.
        typeInto(cellX(w, 3), QStringLiteral("3"));
        answerer.clear();
        QTest::mouseClick(child(w, "Comcopy"), Qt::LeftButton);
        QCOMPARE(answerer.count(), 0);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("1\t10\r\n2\t22\r\n3\t28\r\n4\t43\r\n5\t500\r\n6\t56\r\n7\t69\r\n"
                                "8\t80\r\n9\t92\r\n10\t99\r\n11\t111\r\n"));
    }

    // Each action is one step back and forth, the program's own rewrites inside it, whichever
    // control has the focus; the results follow the table.
    void undoAndRedoEachAction_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("focus");
        QTest::newRow("typing, in the cell") << "type"
                                             << "TextY(3)";
        QTest::newRow("delete point, on a button") << "delete"
                                                   << "Clear";
        QTest::newRow("clear all, on an option") << "clear"
                                                 << "Option1(1)";
        QTest::newRow("paste, in another cell") << "paste"
                                                << "TextX(7)";
    }
    void undoAndRedoEachAction() {
        QFETCH(QString, action);
        QFETCH(QString, focus);
        Stat w;
        showActive(w);
        ModalAnswerer answerer;
        const QStringList before = cells(w), beforeResults = results(w);
        if (action == "type") {
            typeInto(cellY(w, 3), QStringLiteral(" 12"));
        } else if (action == "delete") {
            QTest::mouseClick(child(w, "delpoint(3)"), Qt::LeftButton);
        } else if (action == "clear") {
            QTest::mouseClick(child(w, "Clear"), Qt::LeftButton);
        } else {
            QGuiApplication::clipboard()->setText(QStringLiteral(" 1\t2\r\n2\t5\r\n"));
            QTest::mouseClick(child(w, "Comcpaste"), Qt::LeftButton);
        }
        const QStringList after = cells(w), afterResults = results(w);
        QVERIFY(after != before);
        QWidget* control = child(w, focus);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cells(w), before);
        QCOMPARE(results(w), beforeResults);
        QTest::keyClick(control, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(cells(w), after);
        QCOMPARE(results(w), afterResults);
        QTest::keyClick(control, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(control, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(cells(w), after);
        QCOMPARE(answerer.count(), 0);
    }

    // A restored bad cell is reported as a typed one is.
    void redoingABadCellShowsItsBox() {
        Stat w;
        showActive(w);
        ModalAnswerer answerer;
        typeInto(cellX(w, 2), QStringLiteral("2a"));
        QCOMPARE(answerer.texts(), QStringList{badPoint(2)});
        QTest::keyClick(cellX(w, 2), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w.resultsShown());
        QTest::keyClick(cellX(w, 2), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(cellX(w, 2)->text(), QStringLiteral("2a"));
        QCOMPARE(answerer.texts(), (QStringList{badPoint(2), badPoint(2)}));
        QVERIFY(blank(w));
    }

    // The cell's own menu offers the table's Undo and Redo, not the cell's.
    void cellMenuUndoesTheTable() {
        Stat w;
        showActive(w);
        const QStringList sample = cells(w);
        QTest::mouseClick(child(w, "Clear"), Qt::LeftButton);
        const calibrix::test::Offered offered = calibrix::test::useContextMenu(
            [&w, this] {
                QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(2, 2),
                                       cellX(w, 1)->mapToGlobal(QPoint(2, 2)));
                QApplication::sendEvent(cellX(w, 1), &open);
            },
            QStringLiteral("Undo"));
        QCOMPARE(offered.texts.mid(0, 2), (QStringList{"Undo", "Redo"}));
        QVERIFY(!offered.texts.contains(QStringLiteral("&Undo")));
        QCOMPARE(cells(w), sample);
    }

    void clearEmptiesTheTable() {
        Stat w;
        QTest::mouseClick(child(w, "Clear"), Qt::LeftButton);
        for (int row = 1; row <= 25; ++row) {
            QVERIFY(cellX(w, row)->text().isEmpty());
            QVERIFY(cellY(w, row)->text().isEmpty());
            QVERIFY(!child<QLabel>(w, QStringLiteral("Label1(%1)").arg(row))->font().bold());
        }
        QCOMPARE(w.table().npoints, 0);
        QVERIFY(blank(w));
        QVERIFY(!w.resultsShown());
    }

    void stopsWithoutAMessage_data() {
        QTest::addColumn<QStringList>("c");
        QTest::addColumn<QStringList>("ms");
        QTest::newRow("two points") << QStringList{"1", "2"} << QStringList{"3", "5"};
        QTest::newRow("equal concentrations")
            << QStringList{"0.1", "0.1", "0.1"} << QStringList{"1", "2", "3"};
        QTest::newRow("equal with comma")
            << QStringList{"2,5", "2.5", "2.5", "2,5"} << QStringList{"1", "2", "3", "4"};
    }
    void stopsWithoutAMessage() {
        QFETCH(QStringList, c);
        QFETCH(QStringList, ms);
        Stat w;
        ModalAnswerer answerer;
        QTest::mouseClick(child(w, "Clear"), Qt::LeftButton);
        for (int i = 0; i < c.size(); ++i) {
            cellX(w, i + 1)->setText(c[i]);
            cellY(w, i + 1)->setText(ms[i]);
        }
        QCOMPARE(w.table().npoints, c.size());
        QVERIFY(blank(w));
        QVERIFY(!w.resultsShown());
        QCOMPARE(answerer.count(), 0);
    }

    void movementKeys() {
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto focused = [] { return QApplication::focusWidget(); };
        cellX(w, 4)->setFocus();
        QTest::keyClick(cellX(w, 4), Qt::Key_Down);
        QCOMPARE(focused(), cellX(w, 5));
        QCOMPARE(cellX(w, 5)->selectedText(), QStringLiteral("5"));
        QCOMPARE(w.table().hoverpoint, 5);
        QTest::keyClick(cellX(w, 5), Qt::Key_Return);
        QCOMPARE(focused(), cellX(w, 6));
        QTest::keyClick(cellX(w, 6), Qt::Key_Up);
        QCOMPARE(focused(), cellX(w, 5));
        // Right leaves the C cell only with the caret at the end or everything selected.
        cellX(w, 5)->setText(QStringLiteral("123"));
        cellX(w, 5)->setCursorPosition(1);
        QTest::keyClick(cellX(w, 5), Qt::Key_Right);
        QCOMPARE(focused(), cellX(w, 5));
        QCOMPARE(cellX(w, 5)->cursorPosition(), 2);
        QTest::keyClick(cellX(w, 5), Qt::Key_Right);
        QTest::keyClick(cellX(w, 5), Qt::Key_Right);
        QCOMPARE(focused(), cellY(w, 5));
        QCOMPARE(cellY(w, 5)->selectedText(), QStringLiteral("51"));
        // Left leaves the MS cell when all is selected; Enter stays in the MS column.
        QTest::keyClick(cellY(w, 5), Qt::Key_Left);
        QCOMPARE(focused(), cellX(w, 5));
        cellY(w, 25)->setFocus();
        QTest::keyClick(cellY(w, 25), Qt::Key_Return);
        QCOMPARE(focused(), cellY(w, 25));
        cellY(w, 1)->setFocus();
        QTest::keyClick(cellY(w, 1), Qt::Key_Up);
        QCOMPARE(focused(), cellY(w, 1));
        QTest::keyClick(cellY(w, 1), Qt::Key_Enter);
        QCOMPARE(focused(), cellY(w, 2));
    }

    void tabOrderRunsDownTheColumns() {
        Stat w;
        QCOMPARE(cellX(w, 25)->nextInFocusChain(), cellY(w, 1));
        QCOMPARE(cellX(w, 1)->nextInFocusChain(), cellX(w, 2));
        QCOMPARE(child(w, "Command5")->nextInFocusChain(), child(w, "Command1"));
    }

    void plotShowsTheWorkedExample() {
        Stat w;
        const QImage image = plotImage(w);
        const QColor marker(0, 0, 128);
        // Marker centres of points 1, 2 and 10, one pixel in for the border.
        QCOMPARE(image.pixelColor(57, 231), marker);
        QCOMPARE(image.pixelColor(90, 201), marker);
        QCOMPARE(image.pixelColor(356, 12), marker);
        // On the fitted line halfway between its ends (56, 228.926) and (353.109, 11).
        const QColor line =
            image.pixelColor(qRound(1 + (56 + 353.109) / 2), qRound(1 + (228.926 + 11) / 2));
        QVERIFY2(line.red() > 200 && line.green() < 90 && line.blue() < 90,
                 qPrintable(line.name()));
        // A blank table leaves only the background: white at a marker centre.
        QTest::mouseClick(child(w, "Clear"), Qt::LeftButton);
        QCOMPARE(plotImage(w).pixelColor(90, 201), QColor(Qt::white));
    }

    void equalSignalsLieOnTheMiddleLine() {
        Stat w;
        for (int row = 1; row <= 10; ++row)
            cellY(w, row)->setText(QStringLiteral("-4.25E6"));
        QVERIFY(w.resultsShown());
        QCOMPARE(child<QLabel>(w, "Labr")->text(), QStringLiteral(" undefined "));
        const QImage image = plotImage(w);
        // y = 120.5 is drawn at the rounded pixel, one in for the border.
        QCOMPARE(image.pixelColor(57, 122), QColor(0, 0, 128));
        QCOMPARE(image.pixelColor(356, 122), QColor(0, 0, 128));
    }
};

QTEST_MAIN(StatTest)
#include "stat_test.moc"
