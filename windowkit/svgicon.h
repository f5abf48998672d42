#pragma once

#include <QIcon>
#include <QString>

namespace calibrix {

/// An icon drawn from an SVG file at whatever size and pixel ratio it is asked for. Unlike
/// QIcon's own SVG support it reads the file once, when first drawn, and needs no icon-engine
/// plugin, which matters for a window whose first frame shows a row of pictures.
QIcon svgIcon(const QString& file);

} // namespace calibrix
