#pragma once

namespace calibrix {

/// Rows of the grid, numbered 1 to 25.
inline constexpr int maxpoints = 25;

/// Characters a grid cell holds at most: what a user can type, and what a paste or a copy keeps.
inline constexpr int cellchars = 12;

} // namespace calibrix
