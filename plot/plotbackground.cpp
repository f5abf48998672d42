#include "plot/plotbackground.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <array>

namespace calibrix {

namespace {

// Frame lines in drawing coordinates. The bottom line reaches 4 pixels left of the frame and the
// sides 4 pixels below it, as end ticks under the range ends.
constexpr int frameleft = 55;
constexpr int frameright = 355;
constexpr int frametop = 11;
constexpr int framebottom = 231;
constexpr int endtick = 4;
constexpr std::array gridx{115, 175, 235, 295};
constexpr std::array gridy{55, 99, 143, 187};
constexpr int gridtick = 3;

constexpr QRgb black = qRgb(0, 0, 0);
constexpr QRgb grid = qRgb(192, 192, 192);
constexpr QRgb labelblue = qRgb(0, 0, 255);

// The window's sans serif at a pixel size, as a 96 dpi design gives it (11 px = 8.25 pt).
QFont plotfont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

constexpr int textsize = 11;
constexpr int subscriptsize = 9;
constexpr double subscriptdrop = 3.0;

// Lines are filled pixel rectangles, so they stay sharp at any integer device pixel ratio.
void hline(QPainter& painter, int x1, int x2, int y, QRgb color) {
    painter.fillRect(x1, y, x2 - x1 + 1, 1, QColor(color));
}

void vline(QPainter& painter, int x, int y1, int y2, QRgb color) {
    painter.fillRect(x, y1, 1, y2 - y1 + 1, QColor(color));
}

// A label such as MS with "max" as a subscript; the anchor is on the base line, and
// `alignment` (Qt::AlignLeft, AlignHCenter or AlignRight) places the label's width against it.
void subscripted(QPainter& painter, QPointF anchor, Qt::Alignment alignment, const QString& main,
                 const QString& sub) {
    const QFont mainfont = plotfont(textsize);
    const QFont subfont = plotfont(subscriptsize);
    const double mainwidth = QFontMetricsF(mainfont).horizontalAdvance(main);
    const double width = mainwidth + QFontMetricsF(subfont).horizontalAdvance(sub);
    double left = anchor.x();
    if (alignment & Qt::AlignRight)
        left -= width;
    else if (alignment & Qt::AlignHCenter)
        left -= width / 2;
    painter.setFont(mainfont);
    painter.drawText(QPointF(left, anchor.y()), main);
    painter.setFont(subfont);
    painter.drawText(QPointF(left + mainwidth, anchor.y() + subscriptdrop), sub);
}

void paintframe(QPainter& painter) {
    for (const int x : gridx) {
        vline(painter, x, frametop + 1, framebottom - 1, grid);
        vline(painter, x, framebottom - gridtick, framebottom - 1, black);
    }
    for (const int y : gridy) {
        hline(painter, frameleft + 1, frameright - 1, y, grid);
        hline(painter, frameleft + 1, frameleft + gridtick, y, black);
    }
    hline(painter, frameleft, frameright, frametop, black);
    hline(painter, frameleft - endtick, frameright, framebottom, black);
    vline(painter, frameleft, frametop, framebottom + endtick, black);
    vline(painter, frameright, frametop, framebottom + endtick, black);
}

void paintlabels(QPainter& painter) {
    // Base lines put the capitals' middle level with the corner they name.
    constexpr double msright = frameleft - 8;
    constexpr double cbaseline = framebottom + endtick + 13;
    painter.setPen(QColor(labelblue));
    subscripted(painter, {msright, frametop + 4.5}, Qt::AlignRight, QStringLiteral("MS"),
                QStringLiteral("max"));
    subscripted(painter, {msright, framebottom + 4.5}, Qt::AlignRight, QStringLiteral("MS"),
                QStringLiteral("min"));
    subscripted(painter, {frameleft + 0.5, cbaseline}, Qt::AlignHCenter, QStringLiteral("C"),
                QStringLiteral("min"));
    subscripted(painter, {frameright + 0.5, cbaseline}, Qt::AlignHCenter, QStringLiteral("C"),
                QStringLiteral("max"));

    painter.setPen(QColor(black));
    painter.setFont(plotfont(textsize));
    const QFontMetricsF metrics(painter.font());
    const QString across = QStringLiteral("Concentration");
    const double middle = (frameleft + frameright + 1) / 2.0;
    painter.drawText(QPointF(middle - metrics.horizontalAdvance(across) / 2, cbaseline), across);

    const QString upwards = QStringLiteral("Measured signal");
    painter.save();
    painter.translate(20, (frametop + framebottom + 1) / 2.0);
    painter.rotate(-90);
    painter.drawText(QPointF(-metrics.horizontalAdvance(upwards) / 2, 0), upwards);
    painter.restore();
}

} // namespace

void paintplotbackground(QPainter& painter) {
    painter.save();
    painter.fillRect(0, 0, backgroundwidth, backgroundheight, Qt::white);
    paintframe(painter);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintlabels(painter);
    painter.restore();
}

} // namespace calibrix
