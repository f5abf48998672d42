#include "core/readdata.h"

#include "core/parsenumber.h"

namespace calibrix {

namespace {

constexpr Column columns[] = {Column::C, Column::MS};

// Removes the leading blanks of one cell in one write. The window holds its calculation back
// while a read runs, so the write starts no nested read.
void trimCell(CellGrid& grid, Column column, int row) {
    const std::string text = grid.text(column, row);
    if (text.empty() || text.front() != ' ')
        return;
    const std::size_t start = text.find_first_not_of(' ');
    grid.setText(column, row,
                 start == std::string::npos ? std::string_view()
                                            : std::string_view(text).substr(start));
}

} // namespace

int lastFilledRow(const CellGrid& grid) {
    const auto filled = [&](Column column, int row) {
        return grid.text(column, row).find_first_not_of(' ') != std::string::npos;
    };
    for (int row = maxPoints; row >= 1; --row) {
        if (filled(Column::C, row) || filled(Column::MS, row))
            return row;
    }
    return 0;
}

void readdata(CellGrid& grid, PointTable& table) {
    table.dataerror = 1;
    for (int row = 1; row <= maxPoints; ++row) {
        for (Column column : columns)
            trimCell(grid, column, row);
    }

    // The last row with any text; empty rows above it count as points.
    table.npoints = std::int16_t(lastFilledRow(grid));

    for (int row = 1; row <= maxPoints; ++row)
        grid.setRowBold(row, row <= table.npoints);

    for (int row = 1; row <= table.npoints; ++row) {
        // Both cells are parsed before the flag is looked at, so a bad C still sets MS.
        table.conc[std::size_t(row)] = parsenumber(grid.text(Column::C, row), table.dataerror);
        table.signal[std::size_t(row)] = parsenumber(grid.text(Column::MS, row), table.dataerror);
        if (table.dataerror == -1) {
            grid.reportBadPoint(row);
            grid.clearResults();
            table.dataerror = 0;
            return;
        }
    }
    grid.clearResults();
}

} // namespace calibrix
