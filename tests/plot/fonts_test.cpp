#include "windowkit/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QTest>

namespace {

// The window font is Liberation Sans at every size the windows use, with the advance widths of
// the design's sans serif (in font units of a 2048 em): the layout's fixed boxes hold the texts
// only with these. A fallback font (DejaVu Sans: a digit is 1303 units) fails here; on Windows,
// run where the host's fonts are hidden, so does a program that does not carry the font.
class FontsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowFont_data() {
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("digit");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("space");
        QTest::newRow("regular") << false << 1139 << 1933 << 569;
        QTest::newRow("bold") << true << 1139 << 1933 << 569;
    }

    void windowFont() {
        QFETCH(bool, bold);
        QFETCH(int, digit);
        QFETCH(int, w);
        QFETCH(int, space);
        for (int pixelSize : {11, 13, 16, 32}) {
            const QFontInfo info(calibrix::uiFont(pixelSize, bold));
            QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
            QCOMPARE(info.bold(), bold);
            QCOMPARE(info.pixelSize(), pixelSize);
        }
        // At a pixel size of one em the advances are the font's own units, free of hinting.
        const QRawFont raw = QRawFont::fromFont(calibrix::uiFont(2048, bold));
        QCOMPARE(raw.familyName(), QStringLiteral("Liberation Sans"));
        QCOMPARE(raw.weight() >= QFont::Bold, bold);
        const QList<QPointF> advances =
            raw.advancesForGlyphIndexes(raw.glyphIndexesForString(QStringLiteral("0W ")));
        QCOMPARE(advances.size(), 3);
        QCOMPARE(qRound(advances[0].x()), digit);
        QCOMPARE(qRound(advances[1].x()), w);
        QCOMPARE(qRound(advances[2].x()), space);
    }

    // In a run that hides the host's fonts (scripts/windows.sh runs one under Wine), a font
    // the program does not carry is missing, so the window font above came from the program.
    void hostFontsHidden() {
        if (qEnvironmentVariableIsEmpty("CALIBRIX_HOST_FONTS_HIDDEN"))
            QSKIP("the host's fonts are visible in this run");
        const QStringList families = QFontDatabase::families();
        for (const char* host : {"DejaVu Sans", "Liberation Serif", "Liberation Mono"})
            QVERIFY2(!families.contains(QLatin1String(host)), host);
    }
};

} // namespace

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
