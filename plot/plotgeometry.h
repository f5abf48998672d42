#pragma once

#include <span>

namespace calibrix {

/// The data ranges that the plot frame spans, in data units.
struct PlotScale {
    double xmin, xmax, ymin, ymax;
};

/// The fitted line's drawn ends, in data units (linex1, liney1, linex2, liney2).
struct PlotLine {
    double x1, y1, x2, y2;
};

/// Everything a plot needs besides the points themselves.
struct Plot {
    PlotScale scale;
    PlotLine line;
};

/// Drawn: a plot to show. Skipped: the concentrations span nothing, so no plot, but the results
/// stay. Failed: a non-finite value; the window blanks results and plot.
enum class PlotStatus { Drawn, Skipped, Failed };

/// The outcome of laying out a plot; `plot` is meaningful only when Drawn.
struct PlotLayout {
    PlotStatus status;
    Plot plot;
};

/// The lines of the plot frame in drawing coordinates, as the background picture draws them.
inline constexpr int frameLeft = 55;
inline constexpr int frameRight = 355;
inline constexpr int frameTop = 11;
inline constexpr int frameBottom = 231;

/// Where the data ranges map: the smallest concentration to x = 56, one pixel right of the left
/// frame line, the largest onto the right line at 355; the smallest signal to y = 230, one pixel
/// above the bottom line, the largest onto the top line at 11.
inline constexpr double plotLeft = frameLeft + 1;
inline constexpr double plotRight = frameRight;
inline constexpr double plotBottom = frameBottom - 1;
inline constexpr double plotTop = frameTop;

/// Where the points and the fitted line go: the axis ranges, widened where the data span
/// nothing, and the line clipped to the plot. conc.size() == signal.size() >= 1.
PlotLayout plotLayout(std::span<const double> conc, std::span<const double> signal, double a,
                      double b);

/// A point in drawing coordinates.
struct PixelPoint {
    float x, y;
};

/// Data to drawing coordinates (56..355, 230..11), computed in double, returned in single
/// precision.
PixelPoint toPixel(const PlotScale& scale, double x, double y);

/// The marker square of a point: inclusive pixel bounds in drawing coordinates.
struct PixelRect {
    int left, top, right, bottom;

    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

/// The 5 x 5 pixel square centred on the rounded centre (halves round up); the centre must lie
/// within the range of int, as every marker of a drawn layout does.
PixelRect markerRect(PixelPoint centre);

} // namespace calibrix
