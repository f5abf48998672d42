#pragma once

#include "core/readdata.h"

#include <span>
#include <string>

namespace calibrix {

/// delpoint: moves the rows below `row` up by one, as far as the last filled row, and empties
/// that row. A row below the last filled one changes nothing.
void deleteRow(CellGrid& grid, int row);

/// Empties every cell, row by row.
void clearGrid(CellGrid& grid);

/// Writes pasted texts into rows 1, 2, ...: `c` into the C column and `ms` into the MS column,
/// row by row; an empty span leaves its column as it is. At most 25 rows are written.
void fillRows(CellGrid& grid, std::span<const std::string> c, std::span<const std::string> ms);

} // namespace calibrix
