#pragma once

#include "core/readdata.h"
#include "core/statistics.h"

#include <optional>

namespace calibrix {

/// One calculation: reads the grid into `table`, then fits it unless the data are bad or
/// fewer than 3 points are filled. The results are blank (cleared by the read) when nullopt.
std::optional<Fit> recalculate(CellGrid& grid, PointTable& table, Model model, int level);

} // namespace calibrix
