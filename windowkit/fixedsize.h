#pragma once

namespace calibrix {

/// Keeps every fixed-size window of the program at its size when the desktop maximises it.
/// Call once the application exists; later calls do nothing.
void keepFixedSizeWindowsFixed();

} // namespace calibrix
