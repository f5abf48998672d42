#pragma once

namespace calibrix {

/// Rows of the grid, numbered 1 to 25.
inline constexpr int maxPoints = 25;

/// Characters a grid cell holds at most: what a user can type, and what a paste or a copy keeps.
inline constexpr int cellChars = 12;

} // namespace calibrix
