#include "core/readdata.h"
#include "fakegrid.h"

#include <gtest/gtest.h>

namespace calibrix {
namespace {

using fake::Cell;
using fake::FakeGrid;

constexpr double untouched = 99; // held by every table entry before the read
constexpr Column C = Column::C;
constexpr Column MS = Column::MS;

struct Outcome {
    std::array<std::array<std::string, maxPoints + 1>, 2> cells;
    TableRead read;
    PointTable table;
};

// One read, kept in a table whose every entry held `untouched` before.
Outcome read(const std::vector<Cell>& cells) {
    FakeGrid grid(cells);
    Outcome out;
    out.table.conc.fill(untouched);
    out.table.signal.fill(untouched);
    out.read = readdata(grid);
    store(out.read, out.table);
    out.cells = grid.cells;
    return out;
}

struct Row {
    int row;
    double conc, signal;
};

struct ReadCase {
    const char* name;
    std::vector<Cell> cells;
    int npoints;
    int badrow;
    std::vector<Row> values;
    int untouchedfrom;
    std::vector<Cell> after = {};
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<Cell> plus(std::vector<Cell> cells, const std::vector<Cell>& more) {
    cells.insert(cells.end(), more.begin(), more.end());
    return cells;
}

// Fields: name; cells; npoints, first bad row; expected numbers of some rows; first row whose
// numbers stay untouched in the table; texts after the read.
// clang-format off
const ReadCase cases[] = {
    {"sample data", fake::samplecells(), 10, 0, {{1, 1, 10}, {4, 4, 43}, {10, 10, 99}}, 11},
    {"only row 7 MS", {{7, MS, "5"}}, 7, 0, {{1, 0, 0}, {6, 0, 0}, {7, 0, 5}}, 8},
    {"all empty", {}, 0, 0, {}, 1},
    {"first bad row reported, later rows not parsed",
     plus(fake::samplecells(), {{3, C, "1a"}, {5, MS, "x"}}),
     10, 3, {{2, 2, 22}, {3, 0, 28}}, 4},
    {"both cells of a row bad, one report",
     plus(fake::samplecells(), {{4, C, "1a"}, {4, MS, "--1"}}),
     10, 4, {{3, 3, 28}, {4, 0, 0}}, 5},
    {"leading blanks removed",
     {{1, C, "  5"}, {1, MS, " 6"}, {2, C, "7"}, {2, MS, "   1E2"}, {3, C, " "}, {3, MS, "8"}},
     3, 0, {{1, 5, 6}, {2, 7, 100}, {3, 0, 8}}, 4,
     {{1, C, "5"}, {1, MS, "6"}, {2, MS, "1E2"}, {3, C, ""}}},
    {"cells of blanks only become empty and do not count",
     plus(fake::samplecells(), {{12, C, " "}, {14, MS, "            "}}),
     10, 0, {{10, 10, 99}}, 11, {{12, C, ""}, {14, MS, ""}}},
    {"blanks inside and after are kept",
     {{1, C, " 1 000 "}, {1, MS, "2 "}},
     1, 0, {{1, 1000, 2}}, 2, {{1, C, "1 000 "}, {1, MS, "2 "}}},
    {"bad value behind leading blanks",
     plus(fake::samplecells(), {{2, C, "  x"}, {6, MS, " 7"}}),
     10, 2, {{1, 1, 10}, {2, 0, 22}}, 3, {{2, C, "x"}, {6, MS, "7"}}},
    {"text too long for a float",
     {{1, C, "1"}, {1, MS, "1E39"}, {2, C, "2"}},
     2, 1, {{1, 1, 0}}, 2},
};
// clang-format on

class ReadData : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadData, EndState) {
    const ReadCase& c = GetParam();
    const Outcome out = read(c.cells);
    SCOPED_TRACE(c.name);

    EXPECT_EQ(out.read.npoints, c.npoints);
    EXPECT_EQ(out.read.badrow, c.badrow);
    EXPECT_EQ(out.table.npoints, c.npoints);
    EXPECT_EQ(out.table.badrow, c.badrow);
    EXPECT_EQ(out.table.dataerror, c.badrow != 0 ? 0 : 1);

    for (const Row& r : c.values) {
        EXPECT_EQ(out.table.conc[std::size_t(r.row)], r.conc) << "conc of row " << r.row;
        EXPECT_EQ(out.table.signal[std::size_t(r.row)], r.signal) << "signal of row " << r.row;
    }
    for (int row = c.untouchedfrom; row <= maxPoints; ++row) {
        EXPECT_EQ(out.table.conc[std::size_t(row)], untouched) << "row " << row;
        EXPECT_EQ(out.table.signal[std::size_t(row)], untouched) << "row " << row;
    }
    for (const auto& column : out.cells) {
        for (const std::string& text : column)
            EXPECT_FALSE(!text.empty() && text.front() == ' ') << '"' << text << '"';
    }
    for (const Cell& cell : c.after) {
        EXPECT_EQ(out.cells[cell.column == C ? 0 : 1][std::size_t(cell.row)], cell.text)
            << "row " << cell.row;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadData, testing::ValuesIn(cases));

// A later read starts afresh: good data after a bad read clear the bad row and the flag.
TEST(ReadData, EachReadStartsAfresh) {
    FakeGrid grid(plus(fake::samplecells(), {{2, MS, "x"}}));
    PointTable table;
    store(readdata(grid), table);
    ASSERT_EQ(table.badrow, 2);
    ASSERT_EQ(table.dataerror, 0);
    grid.cell(MS, 2) = "22";
    store(readdata(grid), table);
    EXPECT_EQ(table.badrow, 0);
    EXPECT_EQ(table.dataerror, 1);
    EXPECT_EQ(table.signal[2], 22);
}

} // namespace
} // namespace calibrix
