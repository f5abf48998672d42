#pragma once

#include "core/readdata.h"
#include "core/statistics.h"

#include <optional>

namespace calibrix {

/// One calculation as the window shows it: what the table read found, and the fit, if any.
struct Calculation {
    TableRead read;
    std::optional<Fit> fit; ///< nullopt when the data are bad or fewer than 3 points are filled
};

/// Reads the grid, keeps the read in `table`, and fits the points unless the read stopped at a
/// bad row or found fewer than 3 points.
Calculation recalculate(CellGrid& grid, PointTable& table, Model model, int level);

} // namespace calibrix
