#include "windowkit/bundledfonts.h"

namespace calibrix {

// The system's fonts-liberation2 package provides the window font.
void loadBundledFonts() {}

} // namespace calibrix
