#include "core/calculation.h"

namespace calibrix {

Calculation recalculate(CellGrid& grid, PointTable& table, Model model, int level) {
    Calculation calculation{readdata(grid), std::nullopt};
    store(calculation.read, table);
    // A bad value stops the calculation; fewer than 3 points leave nothing to fit, silently.
    if (calculation.read.badrow == 0 && table.npoints >= 3)
        calculation.fit = calibrate(table.concValues(), table.signalValues(), model, level);
    return calculation;
}

} // namespace calibrix
