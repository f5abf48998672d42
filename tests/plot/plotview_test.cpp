#include "plot/palette.h"
#include "plot/plotgeometry.h"
#include "plot/plotview.h"
#include "tests/common/sampletable.h"

#include <QImage>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>
#include <cmath>
#include <functional>
#include <vector>

namespace calibrix {
namespace {

// The start-up sample with its fit MS = a + bC.
const std::vector<double> sampleconc = testdata::sampleConc();
const std::vector<double> samplesignal = testdata::sampleSignal();
constexpr double sampleb = 817.0 / 82.5;
constexpr double samplea = 55.0 - 5.5 * sampleb;
const PlotLayout sample = plotLayout(sampleconc, samplesignal, samplea, sampleb);

const QColor white(255, 255, 255);
const QColor black(0, 0, 0);
const QColor grey(192, 192, 192);
const QColor darkblue(0, 0, 128);

// Drawing coordinates start inside the 1-pixel border.
QPoint widgetpixel(PixelPoint p) {
    return {static_cast<int>(std::lround(p.x)) + 1, static_cast<int>(std::lround(p.y)) + 1};
}

QRect markerWidgetRect(int row) {
    const auto i = static_cast<std::size_t>(row - 1);
    const PixelRect r = markerRect(toPixel(sample.plot.scale, sampleconc[i], samplesignal[i]));
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)).translated(1, 1);
}

// The color of a widget pixel, read at its top-left device pixel.
QColor at(const QImage& image, QPoint widget) {
    const auto ratio = static_cast<int>(image.devicePixelRatio());
    return image.pixelColor(widget * ratio);
}

QImage grabbed(PlotView& view) {
    return view.grab().toImage();
}

QByteArray describe(const QColor& c) {
    return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue()).toLatin1();
}

bool isred(const QColor& c) {
    return c.red() > 200 && c.green() < 90 && c.blue() < 90;
}
bool isblue(const QColor& c) {
    return c.blue() > 200 && c.red() < 120 && c.green() < 120;
}
bool isdark(const QColor& c) {
    return c.red() < 80 && c.green() < 80 && c.blue() < 80;
}

bool anypixel(const QImage& image, QRect widget, const std::function<bool(QColor)>& test) {
    for (int y = widget.top(); y <= widget.bottom(); ++y)
        for (int x = widget.left(); x <= widget.right(); ++x)
            if (test(at(image, {x, y})))
                return true;
    return false;
}

// Collects what the paint events cover, to see what a blink step repaints.
class RecordingPlotView : public PlotView {
public:
    QRegion painted;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        painted += event->region();
        ++paints;
        PlotView::paintEvent(event);
    }
};

} // namespace

class PlotViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void background_data();
    void background();
    void backgroundLabels();
    void workedExample();
    void partialRepaintMatchesFull();
    void clearRestoresBackground();
    void collapsedLineIsADot();
    void highlightBlinks();
    void blinkRepaintsOnlyChangedMarkers();
    void crispAtDevicePixelRatio();
};

void PlotViewTest::background_data() {
    QTest::addColumn<QPoint>("drawing");
    QTest::addColumn<QColor>("color");
    QTest::newRow("border") << QPoint(-1, -1) << black;
    QTest::newRow("border far corner") << QPoint(383, 255) << black;
    QTest::newRow("inside frame") << QPoint(100, 100) << white;
    QTest::newRow("left frame") << QPoint(55, 100) << black;
    QTest::newRow("right frame") << QPoint(355, 100) << black;
    QTest::newRow("top frame") << QPoint(200, 11) << black;
    QTest::newRow("bottom frame start") << QPoint(51, 231) << black;
    QTest::newRow("before bottom frame") << QPoint(50, 231) << white;
    QTest::newRow("left end tick") << QPoint(55, 235) << black;
    QTest::newRow("below left end tick") << QPoint(55, 236) << white;
    QTest::newRow("right end tick") << QPoint(355, 235) << black;
    QTest::newRow("grid x 115") << QPoint(115, 100) << grey;
    QTest::newRow("grid x 295 top") << QPoint(295, 12) << grey;
    QTest::newRow("grid y 55") << QPoint(200, 55) << grey;
    QTest::newRow("grid y 187 right") << QPoint(354, 187) << grey;
    QTest::newRow("beside grid") << QPoint(116, 100) << white;
    QTest::newRow("bottom tick") << QPoint(175, 228) << black;
    QTest::newRow("above bottom tick") << QPoint(175, 227) << grey;
    QTest::newRow("left tick") << QPoint(58, 143) << black;
    QTest::newRow("after left tick") << QPoint(59, 143) << grey;
}

void PlotViewTest::background() {
    QFETCH(QPoint, drawing);
    QFETCH(QColor, color);
    PlotView view;
    const QColor got = at(grabbed(view), drawing + QPoint(1, 1));
    QVERIFY2(got == color, describe(got).constData());
}

void PlotViewTest::backgroundLabels() {
    PlotView view;
    const QImage image = grabbed(view);
    QCOMPARE(image.size() / image.devicePixelRatio(), QSize(385, 257));
    QVERIFY2(anypixel(image, {1, 1, 55, 22}, isblue), "MSmax left of the top left corner");
    QVERIFY2(anypixel(image, {1, 222, 50, 20}, isblue), "MSmin left of the bottom left corner");
    QVERIFY2(anypixel(image, {36, 237, 40, 19}, isblue), "Cmin under the left end");
    QVERIFY2(anypixel(image, {336, 237, 48, 19}, isblue), "Cmax under the right end");
    QVERIFY2(anypixel(image, {150, 237, 110, 19}, isdark), "Concentration under the frame");
    QVERIFY2(anypixel(image, {1, 60, 30, 120}, isdark), "Measured signal left of the frame");
    QVERIFY2(!anypixel(image, {57, 13, 297, 218}, isblue), "no label inside the frame");
}

void PlotViewTest::workedExample() {
    PlotView view;
    view.showPlot(sample.plot, sampleconc, samplesignal);
    QVERIFY(view.hasPlot());
    const QImage image = grabbed(view);
    for (const QPoint& centre : {QPoint(57, 231), QPoint(90, 201), QPoint(356, 12)})
        QVERIFY2(at(image, centre) == darkblue, describe(at(image, centre)).constData());
    for (int row = 1; row <= 10; ++row) {
        const QRect r = markerWidgetRect(row);
        for (const QPoint& corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            QVERIFY2(at(image, corner) == darkblue, qPrintable(QString::number(row)));
    }
    // On the line at C = 5.5, midway between markers 5 and 6.
    const QPoint online = widgetpixel(toPixel(sample.plot.scale, 5.5, samplea + sampleb * 5.5));
    QVERIFY2(isred(at(image, online)), describe(at(image, online)).constData());
    QCOMPARE(at(image, online + QPoint(0, 4)), white);

    const QString path =
        QStringLiteral(CALIBRIX_PLOT_PNG_DIR "/plotview-%1x.png").arg(image.devicePixelRatio());
    QVERIFY2(image.save(path), qPrintable(path));
}

void PlotViewTest::partialRepaintMatchesFull() {
    PlotView view;
    view.showPlot(sample.plot, sampleconc, samplesignal);
    view.highlight(4, blinkcolor);
    const QImage full = grabbed(view);
    const auto ratio = static_cast<int>(full.devicePixelRatio());
    for (const QRect& part : {markerWidgetRect(2), markerWidgetRect(4), QRect(190, 100, 30, 40),
                              QRect(0, 0, 60, 30), QRect(300, 200, 85, 57)}) {
        const QImage piece = view.grab(part).toImage();
        QVERIFY(piece == full.copy(QRect(part.topLeft() * ratio, part.size() * ratio)));
    }
}

void PlotViewTest::clearRestoresBackground() {
    PlotView view;
    const QImage bare = grabbed(view);
    view.showPlot(sample.plot, sampleconc, samplesignal);
    view.highlight(2, blinkcolor);
    QVERIFY(grabbed(view) != bare);
    view.clearPlot();
    QVERIFY(!view.hasPlot());
    QVERIFY(grabbed(view) == bare);
    view.highlight(2, blinkcolor); // no plot, nothing to blink
    QVERIFY(grabbed(view) == bare);
}

void PlotViewTest::collapsedLineIsADot() {
    // Through the origin, the line meets the bottom of the signal range only at C = 3.1, right
    // of the data; it collapses to a point beside the frame.
    const std::vector<double> conc{1, 2, 3};
    const std::vector<double> signal{10, 11, 12};
    const PlotLayout layout = plotLayout(conc, signal, 0, 10 / 3.1);
    QCOMPARE(layout.status, PlotStatus::Drawn);
    PlotView view;
    view.showPlot(layout.plot, conc, signal);
    const QPoint dot = widgetpixel(toPixel(layout.plot.scale, layout.plot.line.x1, 10));
    QCOMPARE(dot, QPoint(371, 231));
    QVERIFY2(isred(at(grabbed(view), dot)), describe(at(grabbed(view), dot)).constData());
}

void PlotViewTest::highlightBlinks() {
    // Rows 3 and 4 hold the same point: the highlighted one shows although row 4 is drawn later.
    std::vector<double> conc = sampleconc;
    std::vector<double> signal = samplesignal;
    conc[3] = conc[2];
    signal[3] = signal[2];
    const PlotLayout layout = plotLayout(conc, signal, samplea, sampleb);
    PlotView view;
    view.showPlot(layout.plot, conc, signal);
    const QPoint second(90, 201);
    const QPoint third = widgetpixel(toPixel(layout.plot.scale, conc[2], signal[2]));
    struct Step {
        int row, color;
        QColor second, third;
    };
    const Step steps[] = {
        {2, blinkcolor, white, darkblue},     {2, markerColor, darkblue, darkblue},
        {3, blinkcolor, darkblue, white},     {4, blinkcolor, darkblue, white},
        {11, blinkcolor, darkblue, darkblue}, {0, blinkcolor, darkblue, darkblue},
        {-1, blinkcolor, darkblue, darkblue}, {2, blinkcolor, white, darkblue},
    };
    for (const Step& step : steps) {
        view.highlight(step.row, step.color);
        const QImage image = grabbed(view);
        const QByteArray where = QByteArray::number(step.row) + ", " + describe(at(image, second)) +
                                 ", " + describe(at(image, third));
        QVERIFY2(at(image, second) == step.second, where.constData());
        QVERIFY2(at(image, third) == step.third, where.constData());
        QCOMPARE(at(image, QPoint(57, 231)), darkblue);
    }
    const QRect r = markerWidgetRect(2); // the white square is whole
    QCOMPARE(at(grabbed(view), r.topLeft()), white);
    QCOMPARE(at(grabbed(view), r.bottomRight()), white);
    // A new plot starts without a highlight.
    view.showPlot(layout.plot, conc, signal);
    QCOMPARE(at(grabbed(view), second), darkblue);
}

void PlotViewTest::blinkRepaintsOnlyChangedMarkers() {
    RecordingPlotView view;
    view.showPlot(sample.plot, sampleconc, samplesignal);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    struct Step {
        int row, color;
        std::vector<int> repainted;
    };
    const Step steps[] = {
        {1, blinkcolor, {1}}, {1, blinkcolor, {}},     {1, markerColor, {1}}, {3, markerColor, {}},
        {3, blinkcolor, {3}}, {5, blinkcolor, {3, 5}}, {5, markerColor, {5}}, {0, blinkcolor, {}},
        {7, blinkcolor, {7}}, {99, blinkcolor, {7}},   {4, blinkcolor, {4}},
    };
    for (const Step& step : steps) {
        view.painted = QRegion();
        view.paints = 0;
        view.highlight(step.row, step.color);
        QCoreApplication::processEvents();
        QRegion expected;
        for (const int row : step.repainted)
            expected += markerWidgetRect(row);
        const QByteArray where = "highlight(" + QByteArray::number(step.row) + ", " +
                                 QByteArray::number(step.color) + ")";
        QVERIFY2(view.painted == expected, where.constData());
        QVERIFY2((view.paints == 0) == step.repainted.empty(), where.constData());
    }
}

void PlotViewTest::crispAtDevicePixelRatio() {
    // Run also with QT_SCALE_FACTOR=2: lines and markers then fill whole device pixels.
    PlotView view;
    view.showPlot(sample.plot, sampleconc, samplesignal);
    const QImage image = grabbed(view);
    const auto d = static_cast<int>(image.devicePixelRatio());
    if (d != image.devicePixelRatio())
        QSKIP("needs an integer device pixel ratio");
    // The left frame line (drawing x = 55) is exactly d device pixels wide, and so is the top.
    QCOMPARE(image.pixelColor(56 * d - 1, 101 * d), white);
    for (int x = 56 * d; x < 57 * d; ++x)
        QCOMPARE(image.pixelColor(x, 101 * d), black);
    QCOMPARE(image.pixelColor(57 * d, 101 * d), white);
    QCOMPARE(image.pixelColor(250 * d, 12 * d - 1), white);
    for (int y = 12 * d; y < 13 * d; ++y)
        QCOMPARE(image.pixelColor(250 * d, y), black);
    QCOMPARE(image.pixelColor(250 * d, 13 * d), white);
    // A marker covers exactly its 5 x 5 widget pixels.
    const QRect marker(markerWidgetRect(2).topLeft() * d, QSize(5, 5) * d);
    for (int y = marker.top(); y <= marker.bottom(); ++y)
        for (int x = marker.left(); x <= marker.right(); ++x)
            QCOMPARE(image.pixelColor(x, y), darkblue);
    QVERIFY(image.pixelColor(marker.left() - 1, marker.center().y()) != darkblue);
    QVERIFY(image.pixelColor(marker.right() + 1, marker.center().y()) != darkblue);
}

} // namespace calibrix

QTEST_MAIN(calibrix::PlotViewTest)
#include "plotview_test.moc"
