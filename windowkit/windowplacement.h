#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace calibrix {

/// Where a window's client area goes so that the window, `frame` included, is centred in
/// `available`.
QRect centredGeometry(QSize client, const QMargins& frame, const QRect& available);

/// Centres `window` on its screen: at once by its client area, all that is known before it
/// shows, and again, frame included, once a window manager has framed it. Every later show
/// puts it back where it was left; a move by the user ends the placing. Call before showing it.
void centreOnScreen(QWidget* window);

} // namespace calibrix
