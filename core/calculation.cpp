#include "core/calculation.h"

namespace calibrix {

std::optional<Fit> recalculate(CellGrid& grid, PointTable& table, Model model, int level) {
    readdata(grid, table);
    // A bad value has been reported; fewer than 3 points leave nothing to fit, silently.
    if (table.dataerror == 0 || table.npoints < 3)
        return std::nullopt;
    return calibrate(table.concValues(), table.signalValues(), model, level);
}

} // namespace calibrix
