#pragma once

#include "core/readdata.h"
#include "tests/common/sampletable.h"

#include <array>
#include <string>
#include <vector>

namespace calibrix::fake {

/// One cell's text, for setting up or checking a grid.
struct Cell {
    int row;
    Column column;
    std::string text;
};

/// An in-memory grid that records the writes a table read or a table edit makes.
class FakeGrid : public CellGrid {
public:
    std::array<std::array<std::string, maxPoints + 1>, 2> cells;
    std::vector<std::string> events; ///< "set" for every write that changed a cell

    explicit FakeGrid(const std::vector<Cell>& filled = {}) {
        for (const Cell& c : filled)
            cell(c.column, c.row) = c.text;
    }

    std::string& cell(Column column, int row) {
        return cells[column == Column::C ? 0 : 1][std::size_t(row)];
    }

    std::string text(Column column, int row) const override {
        return cells[column == Column::C ? 0 : 1][std::size_t(row)];
    }
    void setText(Column column, int row, std::string_view text) override {
        if (cell(column, row) == text)
            return;
        cell(column, row) = text;
        events.push_back("set");
    }
};

/// The ten sample points the program opens with, as the cells hold them.
inline std::vector<Cell> samplecells() {
    std::vector<Cell> cells;
    for (std::size_t i = 0; i < testdata::sampleC.size(); ++i) {
        cells.push_back({int(i) + 1, Column::C, testdata::sampleC[i]});
        cells.push_back({int(i) + 1, Column::MS, testdata::sampleMS[i]});
    }
    return cells;
}

} // namespace calibrix::fake
