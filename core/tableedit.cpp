#include "core/tableedit.h"

#include <algorithm>

namespace calibrix {

void deleteRow(CellGrid& grid, int row) {
    const int last = lastFilledRow(grid);
    for (int r = row; r < last; ++r) {
        grid.setText(Column::C, r, grid.text(Column::C, r + 1));
        grid.setText(Column::MS, r, grid.text(Column::MS, r + 1));
    }
    if (row <= last) {
        grid.setText(Column::C, last, "");
        grid.setText(Column::MS, last, "");
    }
}

void clearGrid(CellGrid& grid) {
    for (int row = 1; row <= maxPoints; ++row) {
        grid.setText(Column::C, row, "");
        grid.setText(Column::MS, row, "");
    }
}

void fillRows(CellGrid& grid, std::span<const std::string> c, std::span<const std::string> ms) {
    const auto rows = std::min(std::max(c.size(), ms.size()), std::size_t(maxPoints));
    for (std::size_t i = 0; i < rows; ++i) {
        const int row = int(i) + 1;
        if (i < c.size())
            grid.setText(Column::C, row, c[i]);
        if (i < ms.size())
            grid.setText(Column::MS, row, ms[i]);
    }
}

} // namespace calibrix
