#pragma once

class QWidget;

namespace calibrix {

/// Draws the picture buttons, frames and option buttons of `window` as the design shows them,
/// light grey with bevelled edges and etched frames, whatever style or palette the desktop
/// chose. Call once its controls exist and have their design colours.
void keepDesignLook(QWidget* window);

} // namespace calibrix
