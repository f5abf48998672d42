#pragma once

class QWidget;

namespace calibrix {

/// Draws a picture button, frame or option button as the design shows it, light grey with
/// bevelled edges and etched frames, whatever style or palette the desktop chose. Call once the
/// control has its design colors.
void keepDesignLook(QWidget& control);

/// Gives a message box and every part of it the windows' look, grey with dark text, whatever
/// style or palette the desktop chose. Call when it shows, so that buttons set later have it too.
void keepBoxDesignLook(QWidget& box);

} // namespace calibrix
