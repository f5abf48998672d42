#include "plot/plotgeometry.h"

#include <algorithm>
#include <cmath>

namespace calibrix {

namespace {

bool allFinite(std::span<const double> values) {
    return std::ranges::all_of(values, [](double v) { return std::isfinite(v); });
}

bool isfinite(PixelPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Equal signals are widened by a share of their size rather than by a fixed amount, so the
// widening survives rounding at every magnitude and the value stays exactly mid-range; the
// floor stands in for zero and for values too small to be scaled without losing digits.
constexpr double widenShare = 1.0 / 1024.0;
constexpr double widenFloor = 0x1p-1000;

struct LineEnd {
    double x, y;
};

// Moves a line end whose fitted signal lies outside [ymin, ymax] along the line to the bound it
// crossed. The inverse x = (y - a) / b is infinite or NaN for b = 0; the caller rejects that.
LineEnd clippedEnd(const PlotScale& scale, double x, double a, double b) {
    const double y = a + b * x;
    if (scale.ymin <= y && y <= scale.ymax)
        return {x, y};
    const double bound = y < scale.ymin ? scale.ymin : scale.ymax;
    return {(bound - a) / b, bound};
}

} // namespace

// Scale: the frame spans [xmin, xmax] x [ymin, ymax] of the points. Equal signals get a range
// around their value. The fitted line y = a + bx runs from xmin to xmax, with each end that
// leaves the signal range moved to where the line meets it. Stops with Skipped when the
// concentrations are all equal, with Failed when any input, range, line end or pixel position
// is not finite.
PlotLayout plotLayout(std::span<const double> conc, std::span<const double> signal, double a,
                      double b) {
    constexpr PlotLayout failed{PlotStatus::Failed, {}};
    if (conc.empty() || conc.size() != signal.size() || !allFinite(conc) || !allFinite(signal))
        return failed;

    const auto [xmin, xmax] = std::ranges::minmax(conc);
    auto [ymin, ymax] = std::ranges::minmax(signal);
    if (!(xmax > xmin))
        return {PlotStatus::Skipped, {}};
    if (!std::isfinite(a) || !std::isfinite(b))
        return failed;

    if (ymin == ymax) {
        const double value = ymin;
        const double half = std::max(std::abs(value) * widenShare, widenFloor);
        ymin = value - half;
        ymax = value + half;
    }
    // The spans divide the mapping; they overflow only for ranges near the double limit.
    if (!std::isfinite(xmax - xmin) || !std::isfinite(ymax - ymin))
        return failed;

    const PlotScale scale{xmin, xmax, ymin, ymax};
    const LineEnd start = clippedEnd(scale, xmin, a, b);
    const LineEnd end = clippedEnd(scale, xmax, a, b);
    // A line end off the drawing can still map to a pixel beyond single precision.
    if (!std::isfinite(start.x) || !std::isfinite(end.x) ||
        !isfinite(toPixel(scale, start.x, start.y)) || !isfinite(toPixel(scale, end.x, end.y)))
        return failed;

    return {PlotStatus::Drawn, {scale, {start.x, start.y, end.x, end.y}}};
}

// X(x) = 56 + 299 (x - xmin) / (xmax - xmin), Y(y) = 230 - 219 (y - ymin) / (ymax - ymin).
// The fraction is taken first so that the range ends map to exactly 56, 355, 230 and 11.
PixelPoint toPixel(const PlotScale& scale, double x, double y) {
    const double px =
        plotLeft + (plotRight - plotLeft) * ((x - scale.xmin) / (scale.xmax - scale.xmin));
    const double py =
        plotBottom - (plotBottom - plotTop) * ((y - scale.ymin) / (scale.ymax - scale.ymin));
    return {static_cast<float>(px), static_cast<float>(py)};
}

PixelRect markerRect(PixelPoint centre) {
    // Rounded in double: in float, x + 0.5f can round up a value just below a half.
    const int x = static_cast<int>(std::floor(double{centre.x} + 0.5));
    const int y = static_cast<int>(std::floor(double{centre.y} + 0.5));
    return {x - 2, y - 2, x + 2, y + 2};
}

} // namespace calibrix
