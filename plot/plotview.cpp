#include "plot/plotview.h"

#include "plot/palette.h"
#include "plot/plotbackground.h"

#include <QColor>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>

namespace calibrix {

namespace {

QColor qcolor(int palette) {
    const Rgb rgb = palettecolor(palette);
    return {rgb.r, rgb.g, rgb.b};
}

// Drawing coordinates start inside the 1-pixel border.
constexpr int border = 1;
constexpr double linewidth = 2.0;

} // namespace

PlotView::PlotView(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(border);
    setFixedSize(fixedwidth, fixedheight);
    // paintEvent covers every pixel from the cached picture, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotView::showPlot(const Plot& plot, std::span<const double> conc,
                        std::span<const double> signal) {
    const std::size_t n = std::min(conc.size(), signal.size());
    m_markers.clear();
    m_markers.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        m_markers.push_back(markerrect(topixel(plot.scale, conc[i], signal[i])));

    m_linestart = topixel(plot.scale, plot.line.x1, plot.line.y1);
    m_lineend = topixel(plot.scale, plot.line.x2, plot.line.y2);
    // A collapsed line can fall far off the widget; it is then not drawn at all, so the
    // rasteriser never sees coordinates beyond the widget.
    const QRectF reach =
        QRectF(QPointF(m_linestart.x, m_linestart.y), QPointF(m_lineend.x, m_lineend.y))
            .normalized()
            .translated(border + 0.5, border + 0.5)
            .adjusted(-linewidth, -linewidth, linewidth, linewidth);
    m_linebounds = reach.intersected(QRectF(rect())).toAlignedRect();

    m_highlightrow = 0;
    m_highlightcolor = markercolor;
    m_hasplot = true;
    update();
}

void PlotView::clearPlot() {
    if (!m_hasplot)
        return;
    m_hasplot = false;
    m_markers.clear();
    m_highlightrow = 0;
    update();
}

void PlotView::highlight(int row, int color) {
    if (!m_hasplot)
        return;
    if (row < 1 || row > static_cast<int>(m_markers.size()))
        row = 0;
    // Only the marker highlighted so far and the one highlighted now can change color.
    const std::array rows{m_highlightrow, row};
    const std::array before{markercolorof(rows[0]), markercolorof(rows[1])};
    m_highlightrow = row;
    m_highlightcolor = color;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i] != 0 && markercolorof(rows[i]) != before[i])
            update(markerwidgetrect(rows[i]));
}

bool PlotView::hasPlot() const {
    return m_hasplot;
}

QSize PlotView::sizeHint() const {
    return {fixedwidth, fixedheight};
}

int PlotView::markercolorof(int row) const {
    return row != 0 && row == m_highlightrow ? m_highlightcolor : markercolor;
}

QRect PlotView::markerwidgetrect(int row) const {
    const PixelRect& r = m_markers[static_cast<std::size_t>(row - 1)];
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)).translated(border, border);
}

void PlotView::ensurebackground() {
    const qreal ratio = devicePixelRatio();
    if (!m_background.isNull() && m_background.devicePixelRatio() == ratio)
        return;
    m_background = QPixmap(QSize(static_cast<int>(std::ceil(fixedwidth * ratio)),
                                 static_cast<int>(std::ceil(fixedheight * ratio))));
    m_background.setDevicePixelRatio(ratio);
    QPainter painter(&m_background);
    painter.fillRect(0, 0, fixedwidth, fixedheight, Qt::black);
    painter.translate(border, border);
    paintplotbackground(painter);
}

void PlotView::paintEvent(QPaintEvent* event) {
    ensurebackground();
    QPainter painter(this);
    const qreal ratio = m_background.devicePixelRatio();
    for (const QRect& exposed : event->region())
        painter.drawPixmap(QRectF(exposed), m_background,
                           QRectF(exposed.x() * ratio, exposed.y() * ratio, exposed.width() * ratio,
                                  exposed.height() * ratio));
    if (!m_hasplot)
        return;

    // The line lies under the markers. Its ends are pixel positions, so the pen runs through
    // pixel centres, which is where the markers sit too.
    if (event->region().intersects(m_linebounds)) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(qcolor(linecolor), linewidth, Qt::SolidLine, Qt::RoundCap));
        const QPointF offset(border + 0.5, border + 0.5);
        const QPointF start = QPointF(m_linestart.x, m_linestart.y) + offset;
        const QPointF end = QPointF(m_lineend.x, m_lineend.y) + offset;
        // A line collapsed to one point would draw nothing; it shows as a dot instead.
        if (start == end)
            painter.drawPoint(start);
        else
            painter.drawLine(start, end);
        painter.restore();
    }

    // Markers in row order, the highlighted one last so that it shows over any it overlaps.
    const QColor normal = qcolor(markercolor);
    for (int row = 1; row <= static_cast<int>(m_markers.size()); ++row) {
        const QRect r = markerwidgetrect(row);
        if (row != m_highlightrow && event->region().intersects(r))
            painter.fillRect(r, normal);
    }
    if (m_highlightrow != 0 && event->region().intersects(markerwidgetrect(m_highlightrow)))
        painter.fillRect(markerwidgetrect(m_highlightrow), qcolor(m_highlightcolor));
}

} // namespace calibrix
