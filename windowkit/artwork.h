#pragma once

#include <QIcon>
#include <QPixmap>

namespace calibrix {

/// The picture's own size in device-independent pixels; empty if there is no such picture.
QSize artworkSize(const char* name);

/// One picture of the artwork compiled into the program, by name ("ok", "calibrix", ...),
/// drawn at `size` device-independent pixels for a screen of pixel ratio `ratio`.
QPixmap artworkPixmap(const char* name, QSize size, qreal ratio);

/// The picture as an icon, sharp at every size a button or title bar asks for.
QIcon artworkIcon(const char* name);

} // namespace calibrix
