#pragma once

class QFont;

namespace calibrix {

/// The window font at a pixel size, as the design's point sizes are at 96 dpi
/// (8.25 pt = 11 px, 9.75 pt = 13 px, 12 pt = 16 px, 24 pt = 32 px): Liberation Sans, which has
/// the metrics of the design's sans serif, falling back to DejaVu Sans.
QFont uiFont(int pixelSize, bool bold = false);

} // namespace calibrix
