#include "control.h"
#include "tests/common/messages.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/sampletable.h"
#include "ui/stat.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QTest>
#include <cstdlib>

using calibrix::Stat;
using calibrix::test::child;
using calibrix::test::ModalAnswerer;

namespace {

namespace text = calibrix::testdata;
const QString noData = QString::fromLatin1(text::noData);
const QString tooMany = QString::fromLatin1(text::tooMany);
const QString oneColumn = QString::fromLatin1(text::oneColumn);
const QString unrecognizable = QString::fromLatin1(text::unrecognizable);

QString badPoint(int row) {
    return QString::fromStdString(text::badPoint(row));
}

/// Everything a paste may change: the cells, the point count and the result texts.
struct Snapshot {
    QStringList cells;
    int npoints;
    QStringList results;
    bool operator==(const Snapshot&) const = default;
};

} // namespace

class PasteTest : public QObject {
    Q_OBJECT

    QLineEdit* cell(const Stat& w, const char* column, int row) {
        return static_cast<QLineEdit*>(child(w, QStringLiteral("%1(%2)").arg(column).arg(row)));
    }
    QStringList column(const Stat& w, const char* name, int rows = 25) {
        QStringList texts;
        for (int row = 1; row <= rows; ++row)
            texts << cell(w, name, row)->text();
        return texts;
    }
    Snapshot snapshot(const Stat& w) {
        Snapshot s{column(w, "TextX") + column(w, "TextY"), w.table().npoints, {}};
        for (const char* name : {"Laba", "Labda", "Labb", "Labdb", "Labnv", "Labso", "Labr"})
            s.results << static_cast<QLabel*>(child(w, QLatin1String(name)))->text();
        return s;
    }
    void paste(Stat& w, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::mouseClick(child(w, QStringLiteral("Comcpaste")), Qt::LeftButton);
    }
    QString copy(Stat& w) {
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        QTest::mouseClick(child(w, QStringLiteral("Comcopy")), Qt::LeftButton);
        return QGuiApplication::clipboard()->text();
    }
    static QStringList padded(QStringList texts) {
        while (texts.size() < 25)
            texts << QString();
        return texts;
    }

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void twoColumnsFillBothAndRecalculate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("c");
        QTest::addColumn<QStringList>("ms");
        const QStringList c{"1", "2", "3"}, ms{"10", "19", "31"};
        QTest::newRow("tabs, CR LF") << "1\t10\r\n2\t19\r\n3\t31\r\n" << c << ms;
        QTest::newRow("blanks, LF") << "  1   10\n2 19\n 3 31" << c << ms;
        QTest::newRow("leading tabs") << "\t1\t10\r\t2\t19\r\t3\t31\r" << c << ms;
        QTest::newRow("zero middle column") << "1\t-\t10\r\n2\t\t19\r\n3\t0\t31\r\n" << c << ms;
        QTest::newRow("empty line") << "1\t10\r\n\r\n3\t31\r\n"
                                    << QStringList{"1", "0", "3"} << QStringList{"10", "0", "31"};
        QTest::newRow("long number, shortest text")
            << "0.100000001490116\t1\r\n2\t2\r\n3\t3.5\r\n"
            << QStringList{"0.1", "2", "3"} << QStringList{"1", "2", "3.5"};
    }
    void twoColumnsFillBothAndRecalculate() {
        QFETCH(QString, text);
        QFETCH(QStringList, c);
        QFETCH(QStringList, ms);
        Stat w;
        ModalAnswerer answerer;
        paste(w, text);
        QCOMPARE(answerer.count(), 0);
        QCOMPARE(column(w, "TextX"), padded(c));
        QCOMPARE(column(w, "TextY"), padded(ms));
        QCOMPARE(w.table().npoints, 3);
        QVERIFY(w.resultsShown());
    }

    // A text longer than a cell keeps its value, or is reported: never cut into another number.
    void longTextsKeepTheirValue_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("bad");
        QTest::newRow("exponent") << "1.23456790123457E-05"
                                  << "1.2345679E-5" << false;
        QTest::newRow("15 digits") << "123456789012345"
                                   << "1.2345679E14" << false;
        QTest::newRow("comma") << "0,000012345678901"
                               << "1,2345679E-5" << false;
        QTest::newRow("digits, letter") << "12345678901234a"
                                        << "12345678901\u2026" << true;
        QTest::newRow("point, letter") << "99999999999.5x"
                                       << "99999999999\u2026" << true;
    }
    void longTextsKeepTheirValue() {
        QFETCH(QString, pasted);
        QFETCH(QString, cell);
        QFETCH(bool, bad);
        Stat w;
        ModalAnswerer answerer;
        paste(w, pasted + QStringLiteral("\t10\r\n2\t20\r\n3\t31\r\n"));
        QCOMPARE(this->cell(w, "TextX", 1)->text(), cell);
        QCOMPARE(answerer.texts(), bad ? QStringList{badPoint(1)} : QStringList{});
        QCOMPARE(w.resultsShown(), !bad);
        if (!bad) // the value of the whole text, as strtod reads it
            QCOMPARE(w.table().conc[1],
                     double(float(std::strtod(pasted.replace(u',', u'.').toLatin1(), nullptr))));
    }

    void thirtyLinesFillTwentyFiveRows() {
        QString text;
        for (int i = 1; i <= 30; ++i)
            text += QStringLiteral("%1\t%2\r\n").arg(i).arg(3 * i + 1);
        Stat w;
        paste(w, text);
        QCOMPARE(w.table().npoints, 25);
        QCOMPARE(cell(w, "TextX", 25)->text(), QStringLiteral("25"));
        QCOMPARE(cell(w, "TextY", 25)->text(), QStringLiteral("76"));
        QVERIFY(w.resultsShown());
    }

    void oneColumnAsksWhereItGoes_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes: C") << int(QMessageBox::Yes);
        QTest::newRow("No: MS") << int(QMessageBox::No);
        QTest::newRow("Cancel") << int(QMessageBox::Cancel);
    }
    void oneColumnAsksWhereItGoes() {
        QFETCH(int, answer);
        Stat w;
        const Snapshot before = snapshot(w);
        ModalAnswerer answerer{QMessageBox::StandardButton(answer)};
        paste(w, QStringLiteral("5\r\n6\r\n7\r\n"));
        QCOMPARE(answerer.texts(), QStringList{oneColumn});
        QCOMPARE(answerer.titles(), QStringList{QString::fromLatin1(text::questionTitle)});
        if (answer == QMessageBox::Cancel) {
            QVERIFY(snapshot(w) == before);
            return;
        }
        const QStringList pasted = padded({"5", "6", "7"});
        QStringList c, ms;
        for (std::size_t i = 0; i < text::sampleC.size(); ++i) {
            c << QString::fromLatin1(text::sampleC[i]);
            ms << QString::fromLatin1(text::sampleMS[i]);
        }
        c = padded(c);
        ms = padded(ms);
        QCOMPARE(column(w, "TextX"), answer == QMessageBox::Yes ? pasted : c);
        QCOMPARE(column(w, "TextY"), answer == QMessageBox::Yes ? ms : pasted);
        // Either way the other column keeps its ten values, so ten points are read.
        QCOMPARE(w.table().npoints, 10);
        QCOMPARE(answerer.count(), 1);
    }

    void rejectedPastesChangeNothing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString() << noData;
        QTest::newRow("separators only") << QStringLiteral(" \t\r\n \t") << noData;
        QTest::newRow("last dash column") << QStringLiteral("1\t2\t-\r\n3\t4\t-\r\n") << tooMany;
        QTest::newRow("tenth column") << QStringLiteral("1\t\t\t\t\t\t\t\t\t2\r\n") << tooMany;
        QTest::newRow("LF-only lines of three") << QStringLiteral("1 2 3\n4 5 6\n") << tooMany;
        QTest::newRow("all zero columns") << QStringLiteral("0\t-\r\n--\t0\r\n") << unrecognizable;
    }
    void rejectedPastesChangeNothing() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        Stat w;
        ModalAnswerer answerer;
        cell(w, "TextY", 12)->setText(QStringLiteral("7")); // npoints 12
        const Snapshot before = snapshot(w);
        const QImage plot = child(w, QStringLiteral("Pict"))->grab().toImage();
        const QString copied = copy(w);
        paste(w, text);
        QCOMPARE(answerer.texts(), QStringList{message});
        QCOMPARE(answerer.titles(), QStringList{QString::fromLatin1(text::pasteTitle)});
        QVERIFY(snapshot(w) == before);
        QCOMPARE(child(w, QStringLiteral("Pict"))->grab().toImage(), plot);
        QCOMPARE(copy(w), copied);
    }

    void hostileClipboardTextGetsTheRightAnswer_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("c1");
        QString lines;
        while (lines.size() < 10'000'000)
            lines += QStringLiteral("1.5\t22\r\n");
        QTest::newRow("10 MB of lines") << lines << QStringList{} << QStringLiteral("1.5");
        QTest::newRow("100 000 blanks") << QString(100'000, u' ') << QStringList{noData} << "1";
        QTest::newRow("1 MB cell")
            << QString(1'000'000, u'7') << QStringList{oneColumn, badPoint(1)}
            << QStringLiteral("77777777777\u2026");
        QTest::newRow("NUL characters")
            << QStringLiteral("1\t2\r\n2\t3\r\n3\t4\r\n").replace(u'2', QChar(0))
            << QStringList{badPoint(1)} << QStringLiteral("1");
        QTest::newRow("lone surrogate")
            << QStringLiteral("1\t5\r\n") + QChar(0xD800) + QStringLiteral("\t6\r\n")
            << QStringList{badPoint(2)} << QStringLiteral("1");
    }
    void hostileClipboardTextGetsTheRightAnswer() {
        QFETCH(QString, text);
        QFETCH(QStringList, messages);
        QFETCH(QString, c1);
        Stat w;
        ModalAnswerer answerer(QMessageBox::Yes);
        paste(w, text);
        QCOMPARE(answerer.texts(), messages);
        QCOMPARE(cell(w, "TextX", 1)->text(), c1);
    }

    void aClipboardWithoutTextHasNoData() {
        Stat w;
        ModalAnswerer answerer;
        auto* image = new QMimeData;
        QImage pixels(4, 4, QImage::Format_RGB32);
        pixels.fill(Qt::red);
        image->setImageData(pixels);
        QGuiApplication::clipboard()->setMimeData(image);
        QTest::mouseClick(child(w, QStringLiteral("Comcpaste")), Qt::LeftButton);
        QCOMPARE(answerer.texts(), QStringList{noData});
    }

    void aHeadingLineGivesOneMessage() {
        Stat w;
        ModalAnswerer answerer;
        paste(w, QStringLiteral("Conc\tSignal\r\n1\t10\r\n2\t20\r\n3\t31\r\n"));
        QCOMPARE(answerer.texts(), QStringList{badPoint(1)});
        QCOMPARE(answerer.titles(), QStringList{QString::fromLatin1(text::badValueTitle)});
        QCOMPARE(cell(w, "TextX", 1)->text(), QStringLiteral("Conc"));
        QVERIFY(!w.resultsShown());
    }

    void copyWritesTheLocalesSeparator() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Stat w;
        QTest::mouseClick(child(w, QStringLiteral("Clear")), Qt::LeftButton);
        cell(w, "TextX", 1)->setText(QStringLiteral("1,5"));
        cell(w, "TextY", 1)->setText(QStringLiteral("10"));
        cell(w, "TextX", 2)->setText(QStringLiteral("2"));
        cell(w, "TextY", 2)->setText(QStringLiteral("-3.5"));
        QCOMPARE(copy(w), QStringLiteral("1,5\t10\r\n2\t-3,5\r\n"));
    }

    void copyThenPasteKeepsEveryValue() {
        const QStringList values{"0.1",          "2.3",           "1.5E-20",     "-3.5",
                                 "123456789012", "-1.234567E-30", "1E-45",       "3.4E38",
                                 "-7.654321E-9", "-1.1754E-38",   "0.000123457", "1E14"};
        for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
            QLocale::setDefault(locale);
            Stat w;
            QTest::mouseClick(child(w, QStringLiteral("Clear")), Qt::LeftButton);
            for (int i = 0; i < values.size(); ++i) {
                cell(w, "TextX", i + 1)->setText(values[i]);
                cell(w, "TextY", i + 1)->setText(values[values.size() - 1 - i]);
            }
            const auto conc = w.table().conc;
            const auto signal = w.table().signal;
            QCOMPARE(w.table().npoints, values.size());
            const QString text = copy(w);
            ModalAnswerer answerer;
            QTest::mouseClick(child(w, QStringLiteral("Clear")), Qt::LeftButton);
            paste(w, text);
            QCOMPARE(answerer.count(), 0);
            QCOMPARE(w.table().npoints, values.size());
            for (int i = 1; i <= values.size(); ++i) {
                QCOMPARE(w.table().conc[std::size_t(i)], conc[std::size_t(i)]);
                QCOMPARE(w.table().signal[std::size_t(i)], signal[std::size_t(i)]);
            }
        }
    }
};

QTEST_MAIN(PasteTest)
#include "paste_test.moc"
