#include "core/readdata.h"

#include "core/cellvalue.h"

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

TableRead readdata(CellGrid& grid) {
    for (int row = 1; row <= maxPoints; ++row) {
        for (Column column : columns)
            trimCell(grid, column, row);
    }

    // The last row with any text; empty rows above it count as points.
    TableRead read;
    read.npoints = lastFilledRow(grid);

    for (int row = 1; row <= read.npoints; ++row) {
        // Both cells are parsed before either is judged, so a bad C still sets MS.
        const std::optional<float> c = cellvalue(grid.text(Column::C, row));
        const std::optional<float> ms = cellvalue(grid.text(Column::MS, row));
        read.conc[std::size_t(row)] = c.value_or(0.0f);
        read.signal[std::size_t(row)] = ms.value_or(0.0f);
        if (!c || !ms) {
            read.badrow = row;
            break;
        }
    }
    return read;
}

void store(const TableRead& read, PointTable& table) {
    table.npoints = std::int16_t(read.npoints);
    for (int row = 1; row <= read.lastRead(); ++row) {
        table.conc[std::size_t(row)] = read.conc[std::size_t(row)];
        table.signal[std::size_t(row)] = read.signal[std::size_t(row)];
    }
    table.dataerror = read.badrow != 0 ? 0 : 1;
    table.badrow = std::int16_t(read.badrow);
}

} // namespace calibrix
