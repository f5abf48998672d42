#pragma once

class QWidget;

namespace calibrix {

/// Centres `window` on its screen: at once by its client area, all that is known before it
/// shows, and once more, frame included, when a window manager has framed it after its first
/// show. Call before showing it.
void centreOnScreen(QWidget* window);

} // namespace calibrix
