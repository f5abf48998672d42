#include "plot/plotbackground.h"

#include "plot/palette.h"
#include "plot/plotgeometry.h"
#include "windowkit/fonts.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <array>

namespace calibrix {

namespace {

// The bottom frame line reaches 4 pixels left of the frame and the sides 4 pixels below it, as
// end ticks under the range ends.
constexpr int endTick = 4;
constexpr std::array gridx{115, 175, 235, 295};
constexpr std::array gridy{55, 99, 143, 187};
constexpr int gridTick = 3;

constexpr QRgb qRgbOf(int palette) {
    const Rgb rgb = palettecolor(palette);
    return qRgb(rgb.r, rgb.g, rgb.b);
}

constexpr QRgb black = qRgbOf(frameColor);
constexpr QRgb grid = qRgbOf(gridColor);
constexpr QRgb labelBlue = qRgbOf(cornerLabelColor);

constexpr int textSize = 11;
constexpr int subscriptSize = 9;
constexpr double subscriptDrop = 3.0;

// Lines are filled pixel rectangles, so they stay sharp at any integer device pixel ratio.
void hLine(QPainter& painter, int x1, int x2, int y, QRgb color) {
    painter.fillRect(x1, y, x2 - x1 + 1, 1, QColor(color));
}

void vLine(QPainter& painter, int x, int y1, int y2, QRgb color) {
    painter.fillRect(x, y1, 1, y2 - y1 + 1, QColor(color));
}

// A label such as MS with "max" as a subscript; the anchor is on the base line, and
// `alignment` (Qt::AlignLeft, AlignHCenter or AlignRight) places the label's width against it.
void subscripted(QPainter& painter, QPointF anchor, Qt::Alignment alignment, const QString& main,
                 const QString& sub) {
    const QFont mainFont = uiFont(textSize);
    const QFont subFont = uiFont(subscriptSize);
    const double mainWidth = QFontMetricsF(mainFont).horizontalAdvance(main);
    const double width = mainWidth + QFontMetricsF(subFont).horizontalAdvance(sub);
    double left = anchor.x();
    if (alignment & Qt::AlignRight)
        left -= width;
    else if (alignment & Qt::AlignHCenter)
        left -= width / 2;
    painter.setFont(mainFont);
    painter.drawText(QPointF(left, anchor.y()), main);
    painter.setFont(subFont);
    painter.drawText(QPointF(left + mainWidth, anchor.y() + subscriptDrop), sub);
}

void paintFrame(QPainter& painter) {
    for (const int x : gridx) {
        vLine(painter, x, frameTop + 1, frameBottom - 1, grid);
        vLine(painter, x, frameBottom - gridTick, frameBottom - 1, black);
    }
    for (const int y : gridy) {
        hLine(painter, frameLeft + 1, frameRight - 1, y, grid);
        hLine(painter, frameLeft + 1, frameLeft + gridTick, y, black);
    }
    hLine(painter, frameLeft, frameRight, frameTop, black);
    hLine(painter, frameLeft - endTick, frameRight, frameBottom, black);
    vLine(painter, frameLeft, frameTop, frameBottom + endTick, black);
    vLine(painter, frameRight, frameTop, frameBottom + endTick, black);
}

void paintLabels(QPainter& painter) {
    // Base lines put the capitals' middle level with the corner they name.
    constexpr double msRight = frameLeft - 8;
    constexpr double cBaseline = frameBottom + endTick + 13;
    painter.setPen(QColor(labelBlue));
    subscripted(painter, {msRight, frameTop + 4.5}, Qt::AlignRight, QStringLiteral("MS"),
                QStringLiteral("max"));
    subscripted(painter, {msRight, frameBottom + 4.5}, Qt::AlignRight, QStringLiteral("MS"),
                QStringLiteral("min"));
    subscripted(painter, {frameLeft + 0.5, cBaseline}, Qt::AlignHCenter, QStringLiteral("C"),
                QStringLiteral("min"));
    subscripted(painter, {frameRight + 0.5, cBaseline}, Qt::AlignHCenter, QStringLiteral("C"),
                QStringLiteral("max"));

    painter.setPen(QColor(black));
    painter.setFont(uiFont(textSize));
    const QFontMetricsF metrics(painter.font());
    const QString across = QStringLiteral("Concentration");
    const double middle = (frameLeft + frameRight + 1) / 2.0;
    painter.drawText(QPointF(middle - metrics.horizontalAdvance(across) / 2, cBaseline), across);

    const QString upwards = QStringLiteral("Measured signal");
    painter.save();
    painter.translate(20, (frameTop + frameBottom + 1) / 2.0);
    painter.rotate(-90);
    painter.drawText(QPointF(-metrics.horizontalAdvance(upwards) / 2, 0), upwards);
    painter.restore();
}

} // namespace

void paintPlotBackground(QPainter& painter) {
    painter.save();
    painter.fillRect(0, 0, backgroundWidth, backgroundHeight, Qt::white);
    paintFrame(painter);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintLabels(painter);
    painter.restore();
}

} // namespace calibrix
