#include "core/readdata.h"

#include "core/parsenumber.h"

#include <utility>

namespace calibrix {

namespace {

// Number of reads that are trimming right now. Setting a cell's text may run a whole
// calculation, and so another read, before it returns; such a nested read sees the same
// trimmed texts as the read around it, which reports any bad point itself, so the user is
// told once per edit rather than once per nesting level.
int trimming = 0;

class TrimScope {
public:
    TrimScope() { ++trimming; }
    ~TrimScope() { --trimming; }
    TrimScope(const TrimScope&) = delete;
    TrimScope& operator=(const TrimScope&) = delete;
};

constexpr Column columns[] = {Column::C, Column::MS};

// Removes the leading blanks of one cell. The text is read again after each write, because the
// write may have run nested reads that trimmed this cell (or the window may have changed it);
// a write that makes no progress ends the loop rather than spinning.
void trimcell(CellGrid& grid, Column column, int row) {
    std::string previous;
    for (bool first = true;; first = false) {
        std::string text = grid.text(column, row);
        if (text.empty() || text.front() != ' ' || (!first && text == previous))
            return;
        const std::size_t start = text.find_first_not_of(' ');
        const std::string_view rest =
            start == std::string::npos ? std::string_view() : std::string_view(text).substr(start);
        grid.setText(column, row, rest);
        previous = std::move(text);
    }
}

} // namespace

void readdata(CellGrid& grid, PointTable& table) {
    const bool nested = trimming > 0;
    table.dataerror = 1;

    {
        const TrimScope scope;
        for (int row = 1; row <= maxpoints; ++row) {
            for (Column column : columns)
                trimcell(grid, column, row);
        }
    }
    // Reads nested in the trimming have left their own verdict; this one starts afresh from the
    // texts as they are now.
    table.dataerror = 1;

    // The last row with any text; empty rows above it count as points.
    table.npoints = 0;
    for (int row = maxpoints; row >= 1; --row) {
        if (!grid.text(Column::C, row).empty() || !grid.text(Column::MS, row).empty()) {
            table.npoints = std::int16_t(row);
            break;
        }
    }

    for (int row = 1; row <= maxpoints; ++row)
        grid.setRowBold(row, row <= table.npoints);

    for (int row = 1; row <= table.npoints; ++row) {
        // Both cells are parsed before the flag is looked at, so a bad C still sets MS.
        table.conc[std::size_t(row)] = parsenumber(grid.text(Column::C, row), table.dataerror);
        table.signal[std::size_t(row)] = parsenumber(grid.text(Column::MS, row), table.dataerror);
        if (table.dataerror == -1) {
            if (!nested)
                grid.reportBadPoint(row);
            grid.clearResults();
            table.dataerror = 0;
            return;
        }
    }
    grid.clearResults();
}

} // namespace calibrix
