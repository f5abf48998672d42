#pragma once

#include "plot/plotgeometry.h"

#include <QFrame>
#include <QImage>
#include <QPixmap>
#include <span>
#include <vector>

class QPaintEvent;
class QPainter;
class QRegion;

namespace calibrix {

/// An unknown sample on the plot: its row (which picks its colour and shape), its concentration
/// with the half-width of its interval, and its signal.
struct PlotSample {
    int row;
    double c, dc, ms;
    bool operator==(const PlotSample&) const = default;
};

/// The calibration plot `Pict`: a 385 x 257 picture box with a flat black 1-pixel border whose
/// drawing point (x, y) is widget pixel (x + 1, y + 1). It paints from stored state only.
class PlotView : public QFrame {
    Q_OBJECT

public:
    /// Widget size including the border.
    static constexpr int fixedWidth = 385;
    static constexpr int fixedHeight = 257;

    explicit PlotView(QWidget* parent = nullptr);

    /// Shows a complete plot of these points (copied) over the background.
    void showPlot(const Plot& plot, std::span<const double> conc, std::span<const double> signal);
    /// Back to the bare background (vyvid).
    void clearPlot();
    /// One blink step: every marker dark blue (palette 1) except marker `row` (1-based; 0 or out
    /// of range = none), drawn in palette color `color`. Repaints only the rectangles of
    /// markers whose color changes.
    void highlight(int row, int color);
    /// Whether a plot is shown over the background.
    bool hasPlot() const;
    /// Marks these samples on the line while a plot is shown; none leaves the plot as it was.
    void setSamples(std::vector<PlotSample> samples);
    /// The plot as a picture of `ratio` times its pixel size, samples included.
    QImage picture(qreal ratio) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int markerColorOf(int row) const;
    QRect markerWidgetRect(int row) const;
    void ensureBackground();
    void paintPlot(QPainter& painter, const QRegion& region, const QPixmap& background) const;
    void paintSamples(QPainter& painter) const;
    static QPixmap makeBackground(qreal ratio);

    bool hasPlot_ = false;
    std::vector<PixelRect> markers_; // row i at index i - 1, drawing coordinates
    PixelPoint lineStart_{};
    PixelPoint lineEnd_{};
    QRect lineBounds_; // widget pixels the line can touch; empty when it misses the widget
    int highlightRow_ = 0;
    int highlightColor_ = 0;
    QPixmap background_; // border and background at the device pixel ratio last painted
    PlotScale scale_{};
    std::vector<PlotSample> samples_;
};

} // namespace calibrix
