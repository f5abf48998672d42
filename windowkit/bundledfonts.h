#pragma once

namespace calibrix {

/// Makes the window font's files available to the program, once: on a system that does not
/// have them (Windows) they are compiled into the program; elsewhere the system provides them.
void loadBundledFonts();

} // namespace calibrix
