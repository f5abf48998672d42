#pragma once

#include "core/readdata.h"

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

/// An in-memory grid that records what a table read or a table edit does to it.
class FakeGrid : public CellGrid {
public:
    std::array<std::array<std::string, maxPoints + 1>, 2> cells;
    std::array<bool, maxPoints + 1> bold{};
    std::vector<std::string> events; ///< "set", "report N" and "clear", in order
    std::vector<int> reports;
    std::vector<double> signalatreport; ///< table->signal[row] when the row was reported
    const PointTable* table = nullptr;

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
    void setRowBold(int row, bool isbold) override { bold[std::size_t(row)] = isbold; }
    void reportBadPoint(int row) override {
        events.push_back("report " + std::to_string(row));
        reports.push_back(row);
        if (table)
            signalatreport.push_back(table->signal[std::size_t(row)]);
    }
    void clearResults() override { events.push_back("clear"); }
};

/// The ten sample points the program opens with, as the cells hold them.
inline std::vector<Cell> samplecells() {
    const char* signals[] = {"10", "22", "28", "43", "51", "56", "69", "80", "92", "99"};
    std::vector<Cell> cells;
    for (int row = 1; row <= 10; ++row) {
        cells.push_back({row, Column::C, std::to_string(row)});
        cells.push_back({row, Column::MS, signals[row - 1]});
    }
    return cells;
}

} // namespace calibrix::fake
