#include "core/tableedit.h"
#include "fakegrid.h"

#include <gtest/gtest.h>

namespace calibrix {
namespace {

using fake::Cell;
using fake::FakeGrid;

constexpr Column C = Column::C;
constexpr Column MS = Column::MS;

// Every non-empty cell of the grid, row by row, C before MS.
std::vector<std::string> filled(const FakeGrid& grid) {
    std::vector<std::string> out;
    for (int row = 1; row <= maxPoints; ++row) {
        for (Column column : {C, MS}) {
            const std::string text = grid.text(column, row);
            if (!text.empty())
                out.push_back(std::to_string(row) + (column == C ? " C " : " MS ") + text);
        }
    }
    return out;
}

std::vector<std::string> filled(const std::vector<Cell>& cells) {
    return filled(FakeGrid(cells));
}

std::vector<Cell> sampleWith(const std::vector<Cell>& more) {
    std::vector<Cell> cells = fake::samplecells();
    cells.insert(cells.end(), more.begin(), more.end());
    return cells;
}

struct LastCase {
    const char* name;
    std::vector<Cell> cells;
    int last;
};

TEST(LastFilledRow, Cases) {
    const LastCase cases[] = {
        {"empty grid", {}, 0},
        {"sample data", fake::samplecells(), 10},
        {"one cell of row 7", {{7, MS, "5"}}, 7},
        {"blanks only do not fill a row", {{2, C, "1"}, {25, C, "   "}}, 2},
        {"text behind blanks fills a row", {{3, C, "  x"}}, 3},
        {"row 25", {{25, C, "1"}}, 25},
    };
    for (const LastCase& c : cases)
        EXPECT_EQ(lastFilledRow(FakeGrid(c.cells)), c.last) << c.name;
}

struct DeleteCase {
    const char* name;
    std::vector<Cell> cells;
    int row;
    std::vector<Cell> after;
};

TEST(DeleteRow, Cases) {
    // clang-format off
    const DeleteCase cases[] = {
        {"row 3 of the sample: rows 4 to 10 move up", fake::samplecells(), 3,
         {{1, C, "1"}, {1, MS, "10"}, {2, C, "2"}, {2, MS, "22"}, {3, C, "4"}, {3, MS, "43"},
          {4, C, "5"}, {4, MS, "51"}, {5, C, "6"}, {5, MS, "56"}, {6, C, "7"}, {6, MS, "69"},
          {7, C, "8"}, {7, MS, "80"}, {8, C, "9"}, {8, MS, "92"}, {9, C, "10"}, {9, MS, "99"}}},
        {"below the last filled row nothing moves", fake::samplecells(), 20, fake::samplecells()},
        {"last row holding only C is emptied, the row above kept",
         {{1, C, "1"}, {1, MS, "2"}, {2, C, "3"}}, 2, {{1, C, "1"}, {1, MS, "2"}}},
        {"an empty row inside the table moves too", {{1, C, "1"}, {5, MS, "5"}}, 2,
         {{1, C, "1"}, {4, MS, "5"}}},
        {"a cell of blanks below the data is not a filled row",
         sampleWith({{12, C, "  "}}), 11, sampleWith({{12, C, "  "}})},
        {"row 25 is the last row", {{24, C, "a"}, {25, MS, "b"}}, 24, {{24, MS, "b"}}},
        {"the only row", {{1, C, "7"}, {1, MS, "8"}}, 1, {}},
    };
    // clang-format on
    for (const DeleteCase& c : cases) {
        FakeGrid grid(c.cells);
        deleteRow(grid, c.row);
        EXPECT_EQ(filled(grid), filled(c.after)) << c.name;
    }
}

TEST(DeleteRow, BelowTheDataWritesNoCell) {
    FakeGrid grid(fake::samplecells());
    deleteRow(grid, 11);
    EXPECT_TRUE(grid.events.empty());
}

TEST(ClearGrid, EmptiesEveryCell) {
    FakeGrid grid(sampleWith({{25, MS, "x"}, {17, C, " "}}));
    clearGrid(grid);
    EXPECT_EQ(filled(grid), std::vector<std::string>{});
}

struct FillCase {
    const char* name;
    std::vector<std::string> c, ms;
    std::vector<Cell> after;
};

TEST(FillRows, Cases) {
    const std::vector<Cell> before{{1, C, "old"}, {1, MS, "old"}, {3, C, "old"}, {3, MS, "old"}};
    std::vector<std::string> long30(30, "9");
    std::vector<Cell> all25;
    for (int row = 1; row <= maxPoints; ++row)
        all25.push_back({row, C, "9"});
    // clang-format off
    const FillCase cases[] = {
        {"two columns replace both", {"1", "2", ""}, {"10", "", "30"},
         {{1, C, "1"}, {1, MS, "10"}, {2, C, "2"}, {3, MS, "30"}}},
        {"C only keeps MS", {"1", "", ""}, {},
         {{1, C, "1"}, {1, MS, "old"}, {3, MS, "old"}}},
        {"MS only keeps C", {}, {"5", "6"}, {{1, C, "old"}, {1, MS, "5"}, {2, MS, "6"}, {3, C, "old"},
         {3, MS, "old"}}},
        {"rows beyond the texts are kept", {"1"}, {"2"},
         {{1, C, "1"}, {1, MS, "2"}, {3, C, "old"}, {3, MS, "old"}}},
        {"at most 25 rows", long30, {}, [&] {
             std::vector<Cell> cells = all25;
             cells.push_back({1, MS, "old"});
             cells.push_back({3, MS, "old"});
             return cells;
         }()},
    };
    // clang-format on
    for (const FillCase& c : cases) {
        FakeGrid grid(before);
        fillRows(grid, c.c, c.ms);
        EXPECT_EQ(filled(grid), filled(c.after)) << c.name;
    }
}

} // namespace
} // namespace calibrix
