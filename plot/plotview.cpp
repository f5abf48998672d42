#include "plot/plotview.h"

#include "plot/palette.h"
#include "plot/plotbackground.h"

#include <QColor>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRegion>
#include <algorithm>
#include <array>
#include <cmath>

namespace calibrix {

namespace {

QColor qColor(int palette) {
    const Rgb rgb = palettecolor(palette);
    return {rgb.r, rgb.g, rgb.b};
}

// Drawing coordinates start inside the 1-pixel border.
constexpr int border = 1;
constexpr double plotLineWidth = 2.0;

} // namespace

PlotView::PlotView(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(border);
    setFixedSize(fixedWidth, fixedHeight);
    // paintEvent covers every pixel from the cached picture, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotView::showPlot(const Plot& plot, std::span<const double> conc,
                        std::span<const double> signal) {
    const std::size_t n = std::min(conc.size(), signal.size());
    markers_.clear();
    markers_.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        markers_.push_back(markerRect(toPixel(plot.scale, conc[i], signal[i])));

    scale_ = plot.scale;
    lineStart_ = toPixel(plot.scale, plot.line.x1, plot.line.y1);
    lineEnd_ = toPixel(plot.scale, plot.line.x2, plot.line.y2);
    // A collapsed line can fall far off the widget; it is then not drawn at all, so the
    // rasteriser never sees coordinates beyond the widget.
    const QRectF reach =
        QRectF(QPointF(lineStart_.x, lineStart_.y), QPointF(lineEnd_.x, lineEnd_.y))
            .normalized()
            .translated(border + 0.5, border + 0.5)
            .adjusted(-plotLineWidth, -plotLineWidth, plotLineWidth, plotLineWidth);
    lineBounds_ = reach.intersected(QRectF(rect())).toAlignedRect();

    highlightRow_ = 0;
    highlightColor_ = markerColor;
    hasPlot_ = true;
    update();
}

void PlotView::clearPlot() {
    if (!hasPlot_)
        return;
    hasPlot_ = false;
    markers_.clear();
    highlightRow_ = 0;
    update();
}

void PlotView::highlight(int row, int color) {
    if (!hasPlot_)
        return;
    if (row < 1 || row > static_cast<int>(markers_.size()))
        row = 0;
    // Only the marker highlighted so far and the one highlighted now can change color.
    const std::array rows{highlightRow_, row};
    const std::array before{markerColorOf(rows[0]), markerColorOf(rows[1])};
    highlightRow_ = row;
    highlightColor_ = color;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i] != 0 && markerColorOf(rows[i]) != before[i])
            update(markerWidgetRect(rows[i]));
}

bool PlotView::hasPlot() const {
    return hasPlot_;
}

QSize PlotView::sizeHint() const {
    return {fixedWidth, fixedHeight};
}

int PlotView::markerColorOf(int row) const {
    return row != 0 && row == highlightRow_ ? highlightColor_ : markerColor;
}

QRect PlotView::markerWidgetRect(int row) const {
    const PixelRect& r = markers_[static_cast<std::size_t>(row - 1)];
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)).translated(border, border);
}

void PlotView::setSamples(std::vector<PlotSample> samples) {
    if (samples == samples_)
        return;
    samples_ = std::move(samples);
    update();
}

QPixmap PlotView::makeBackground(qreal ratio) {
    QPixmap background(QSize(static_cast<int>(std::ceil(fixedWidth * ratio)),
                             static_cast<int>(std::ceil(fixedHeight * ratio))));
    background.setDevicePixelRatio(ratio);
    QPainter painter(&background);
    painter.fillRect(0, 0, fixedWidth, fixedHeight, Qt::black);
    painter.translate(border, border);
    paintPlotBackground(painter);
    return background;
}

void PlotView::ensureBackground() {
    const qreal ratio = devicePixelRatio();
    if (!background_.isNull() && background_.devicePixelRatio() == ratio)
        return;
    background_ = makeBackground(ratio);
}

QImage PlotView::picture(qreal ratio) const {
    QImage image(QSize(static_cast<int>(std::ceil(fixedWidth * ratio)),
                       static_cast<int>(std::ceil(fixedHeight * ratio))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    paintPlot(painter, QRegion(rect()), makeBackground(ratio));
    return image;
}

void PlotView::paintEvent(QPaintEvent* event) {
    ensureBackground();
    QPainter painter(this);
    paintPlot(painter, event->region(), background_);
}

void PlotView::paintPlot(QPainter& painter, const QRegion& region,
                         const QPixmap& background) const {
    const qreal ratio = background.devicePixelRatio();
    for (const QRect& exposed : region)
        painter.drawPixmap(QRectF(exposed), background,
                           QRectF(exposed.x() * ratio, exposed.y() * ratio, exposed.width() * ratio,
                                  exposed.height() * ratio));
    if (!hasPlot_)
        return;
    // The line lies under the markers. Its ends are pixel positions, so the pen runs through
    // pixel centres, which is where the markers sit too.
    if (region.intersects(lineBounds_)) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(qColor(lineColor), plotLineWidth, Qt::SolidLine, Qt::RoundCap));
        const QPointF offset(border + 0.5, border + 0.5);
        const QPointF start = QPointF(lineStart_.x, lineStart_.y) + offset;
        const QPointF end = QPointF(lineEnd_.x, lineEnd_.y) + offset;
        // A line collapsed to one point would draw nothing; it shows as a dot instead.
        if (start == end)
            painter.drawPoint(start);
        else
            painter.drawLine(start, end);
        painter.restore();
    }

    // Markers in row order, the highlighted one last so that it shows over any it overlaps.
    const QColor normal = qColor(markerColor);
    for (int row = 1; row <= static_cast<int>(markers_.size()); ++row) {
        const QRect r = markerWidgetRect(row);
        if (row != highlightRow_ && region.intersects(r))
            painter.fillRect(r, normal);
    }
    if (highlightRow_ != 0 && region.intersects(markerWidgetRect(highlightRow_)))
        painter.fillRect(markerWidgetRect(highlightRow_), qColor(highlightColor_));
    if (!samples_.empty())
        paintSamples(painter);
}

// Each sample in a colour and a shape of its own (five of each make 25 pairs, the first five
// differing in both), with ΔC as a bar along the concentration axis, over everything else and
// inside the frame: a sample beyond the points' range shows only as far as the frame goes.
void PlotView::paintSamples(QPainter& painter) const {
    static constexpr int colours[] = {13, 2, 6, 3, 5};
    painter.save();
    painter.setClipRect(QRect(QPoint(frameLeft, frameTop), QPoint(frameRight, frameBottom))
                            .translated(border, border));
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF offset(border + 0.5, border + 0.5);
    // Drawing coordinates of a value; far-off values stop at a bound the rasteriser takes.
    const auto at = [&](double c, double ms) {
        const PixelPoint p = toPixel(scale_, c, ms);
        const auto bound = [](float v) {
            return std::isfinite(v) ? std::clamp(double(v), -1e4, 1e4) : 1e4;
        };
        return QPointF(bound(p.x), bound(p.y)) + offset;
    };
    for (const PlotSample& s : samples_) {
        const int i = s.row - 1;
        const QColor colour = qColor(colours[i % 5]);
        const QPointF centre = at(s.c, s.ms);
        painter.setPen(QPen(colour, 1.5));
        if (s.dc > 0) {
            const QPointF low = at(s.c - s.dc, s.ms);
            const QPointF high = at(s.c + s.dc, s.ms);
            painter.drawLine(low, high);
            painter.drawLine(low + QPointF(0, -3), low + QPointF(0, 3));
            painter.drawLine(high + QPointF(0, -3), high + QPointF(0, 3));
        }
        painter.setBrush(colour);
        constexpr double r = 4;
        switch ((i + i / 5) % 5) {
        case 0:
            painter.drawEllipse(centre, r, r);
            break;
        case 1:
            painter.drawPolygon(
                QPolygonF({centre + QPointF(0, -r - 1), centre + QPointF(r + 1, 0),
                           centre + QPointF(0, r + 1), centre + QPointF(-r - 1, 0)}));
            break;
        case 2:
            painter.drawPolygon(QPolygonF(
                {centre + QPointF(0, -r - 1), centre + QPointF(r, r), centre + QPointF(-r, r)}));
            break;
        case 3:
            painter.drawPolygon(QPolygonF(
                {centre + QPointF(0, r + 1), centre + QPointF(r, -r), centre + QPointF(-r, -r)}));
            break;
        default:
            painter.setPen(QPen(colour, 2.5));
            painter.drawLine(centre + QPointF(-r, -r), centre + QPointF(r, r));
            painter.drawLine(centre + QPointF(-r, r), centre + QPointF(r, -r));
            break;
        }
    }
    painter.restore();
}

} // namespace calibrix
