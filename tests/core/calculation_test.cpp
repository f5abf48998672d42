#include "core/calculation.h"
#include "core/results.h"
#include "fakegrid.h"
#include "tests/common/sampletable.h"

#include <gtest/gtest.h>
#include <iterator>

namespace calibrix {
namespace {

using fake::Cell;
using fake::FakeGrid;

using testdata::WorkedExample;

class SampleTable : public testing::TestWithParam<WorkedExample> {};

// From the cell texts the program opens with to the seven labels, character for character.
TEST_P(SampleTable, ShowsTheseTexts) {
    const WorkedExample& expected = GetParam();
    FakeGrid grid(fake::samplecells());
    PointTable table;
    const Calculation calculation = recalculate(grid, table, expected.model, expected.level);
    EXPECT_EQ(calculation.read.badrow, 0);
    ASSERT_TRUE(calculation.fit.has_value());
    const ResultTexts shown = resulttexts(*calculation.fit, expected.model, ".");
    const std::string texts[] = {shown.laba,  shown.labda, shown.labb, shown.labdb,
                                 shown.labnv, shown.labso, shown.labr};
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(texts[i], expected.texts[i]) << "result " << i;
}

INSTANTIATE_TEST_SUITE_P(Levels, SampleTable, testing::ValuesIn(testdata::workedExamples));

struct Stop {
    const char* name;
    std::vector<Cell> cells;
    int badrow;
};

void PrintTo(const Stop& s, std::ostream* os) {
    *os << s.name;
}

class RecalculateStops : public testing::TestWithParam<Stop> {};

TEST_P(RecalculateStops, NoFit) {
    const Stop& c = GetParam();
    FakeGrid grid(c.cells);
    PointTable table;
    const Calculation calculation = recalculate(grid, table, Model::Intercept, 2);
    EXPECT_FALSE(calculation.fit.has_value()) << c.name;
    EXPECT_EQ(calculation.read.badrow, c.badrow) << c.name;
    EXPECT_EQ(table.badrow, c.badrow) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecalculateStops,
    testing::Values(
        Stop{"empty table", {}, 0},
        Stop{"two points", {{1, Column::C, "1"}, {2, Column::MS, "3"}}, 0},
        Stop{"bad value", {{1, Column::C, "1"}, {2, Column::C, "2,5,"}, {3, Column::C, "3"}}, 2},
        Stop{"value beyond a float",
             {{1, Column::C, "1"}, {2, Column::C, "2"}, {3, Column::MS, "-4E38"}},
             3},
        Stop{"equal concentrations",
             {{1, Column::C, "0,1"},
              {2, Column::C, "0.1"},
              {3, Column::C, ".1"},
              {1, Column::MS, "1"},
              {2, Column::MS, "2"},
              {3, Column::MS, "4"}},
             0}));

} // namespace
} // namespace calibrix
