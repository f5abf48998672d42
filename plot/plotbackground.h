#pragma once

class QPainter;

namespace calibrix {

/// Width and height of the plot's background picture in pixels.
inline constexpr int backgroundWidth = 383;
inline constexpr int backgroundHeight = 255;

/// Paints the fixed background of the plot with its top-left corner at the painter's origin:
/// white ground, frame with end ticks, grey grid with black ticks, the blue corner labels Cmin,
/// Cmax, MSmin and MSmax and the axis titles.
void paintPlotBackground(QPainter& painter);

} // namespace calibrix
