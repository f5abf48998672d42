#include "core/calculation.h"
#include "core/results.h"
#include "fakegrid.h"

#include <gtest/gtest.h>

namespace calibrix {
namespace {

using fake::Cell;
using fake::FakeGrid;

struct Shown {
    Model model;
    int level;
    ResultTexts texts;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << (s.model == Model::Intercept ? "intercept" : "origin") << " level " << s.level;
}

class SampleTable : public testing::TestWithParam<Shown> {};

// From the cell texts the program opens with to the seven labels, character for character.
TEST_P(SampleTable, ShowsTheseTexts) {
    const Shown& expected = GetParam();
    FakeGrid grid(fake::samplecells());
    PointTable table;
    const auto fit = recalculate(grid, table, expected.model, expected.level);
    ASSERT_TRUE(fit.has_value());
    const ResultTexts shown = resulttexts(*fit, expected.model, ".");
    EXPECT_EQ(shown.laba, expected.texts.laba);
    EXPECT_EQ(shown.labda, expected.texts.labda);
    EXPECT_EQ(shown.labb, expected.texts.labb);
    EXPECT_EQ(shown.labdb, expected.texts.labdb);
    EXPECT_EQ(shown.labnv, expected.texts.labnv);
    EXPECT_EQ(shown.labso, expected.texts.labso);
    EXPECT_EQ(shown.labr, expected.texts.labr);
    EXPECT_TRUE(grid.reports.empty());
}

// Order of the texts: a, Δa, b, Δb, detection limit, s, r.
INSTANTIATE_TEST_SUITE_P(
    Levels, SampleTable,
    testing::Values(
        Shown{Model::Intercept,
              1,
              {"  5.33333E-01", "  2.813511", "  9.903030", "  4.53438E-01", "  5.12474E-01",
               "  2.214279", "  0.99758"}},
        Shown{Model::Intercept,
              2,
              {"  5.33333E-01", "  3.488149", "  9.903030", "  5.62166E-01", "  6.28757E-01",
               "  2.214279", "  0.99758"}},
        Shown{Model::Intercept,
              3,
              {"  5.33333E-01", "  5.074908", "  9.903030", "  8.17896E-01", "  8.92958E-01",
               "  2.214279", "  0.99758"}},
        Shown{Model::Origin,
              1,
              {"", "", "  9.979221", "  1.96533E-01", "  1.06226E-01", "  2.103800", "  0.99758"}},
        Shown{Model::Origin,
              2,
              {"", "", "  9.979221", "  2.42531E-01", "  1.30498E-01", "  2.103800", "  0.99758"}},
        Shown{
            Model::Origin,
            3,
            {"", "", "  9.979221", "  3.48464E-01", "  1.85574E-01", "  2.103800", "  0.99758"}}));

struct Stop {
    const char* name;
    std::vector<Cell> cells;
    std::vector<int> reports;
};

void PrintTo(const Stop& s, std::ostream* os) {
    *os << s.name;
}

class RecalculateStops : public testing::TestWithParam<Stop> {};

TEST_P(RecalculateStops, NoFitAndResultsCleared) {
    const Stop& c = GetParam();
    FakeGrid grid(c.cells);
    PointTable table;
    EXPECT_FALSE(recalculate(grid, table, Model::Intercept, 2).has_value()) << c.name;
    EXPECT_EQ(grid.reports, c.reports) << c.name;
    ASSERT_FALSE(grid.events.empty());
    EXPECT_EQ(grid.events.back(), "clear") << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecalculateStops,
    testing::Values(
        Stop{"empty table", {}, {}},
        Stop{"two points", {{1, Column::C, "1"}, {2, Column::MS, "3"}}, {}},
        Stop{"bad value", {{1, Column::C, "1"}, {2, Column::C, "2,5,"}, {3, Column::C, "3"}}, {2}},
        Stop{"value beyond a float",
             {{1, Column::C, "1"}, {2, Column::C, "2"}, {3, Column::MS, "-4E38"}},
             {3}},
        Stop{"equal concentrations",
             {{1, Column::C, "0,1"},
              {2, Column::C, "0.1"},
              {3, Column::C, ".1"},
              {1, Column::MS, "1"},
              {2, Column::MS, "2"},
              {3, Column::MS, "4"}},
             {}}));

} // namespace
} // namespace calibrix
