#include "plot/plotgeometry.h"
#include "tests/common/sampletable.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace calibrix {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
using Values = std::vector<double>;

// The start-up sample and its least-squares fits, from Sxx = 385 and Sxy = 3842 (82.5 and 817
// about the means 5.5 and 55).
const Values sampleconc = testdata::sampleConc();
const Values samplesignal = testdata::sampleSignal();
constexpr double interceptb = 817.0 / 82.5;
constexpr double intercepta = 55.0 - 5.5 * interceptb;
constexpr double originb = 3842.0 / 385.0;

void expectnear(PixelPoint got, double x, double y, double tolerance) {
    EXPECT_NEAR(got.x, x, tolerance);
    EXPECT_NEAR(got.y, y, tolerance);
}

TEST(PlotLayout, WorkedExample) {
    struct Row {
        double a, b, startx, starty, endx, endy;
    };
    for (const Row& row : {Row{intercepta, interceptb, 56, 228.926, 353.109, 11},
                           Row{0, originb, 56.069, 230, 352.363, 11}}) {
        SCOPED_TRACE(testing::Message() << "a = " << row.a);
        const PlotLayout layout = plotLayout(sampleconc, samplesignal, row.a, row.b);
        ASSERT_EQ(layout.status, PlotStatus::Drawn);
        const auto [scale, line] = layout.plot;
        EXPECT_EQ(scale.xmin, 1.0);
        EXPECT_EQ(scale.xmax, 10.0);
        EXPECT_EQ(scale.ymin, 10.0);
        EXPECT_EQ(scale.ymax, 99.0);
        expectnear(toPixel(scale, line.x1, line.y1), row.startx, row.starty, 1e-3);
        expectnear(toPixel(scale, line.x2, line.y2), row.endx, row.endy, 1e-3);
        // The range ends land on the frame exactly.
        expectnear(toPixel(scale, 1, 10), 56, 230, 0);
        expectnear(toPixel(scale, 2, 22), 89.222, 200.472, 1e-3);
        expectnear(toPixel(scale, 10, 99), 355, 11, 0);
    }
}

TEST(PlotLayout, ClipsLineEndsToTheSignalRange) {
    struct Row {
        const char* name;
        Values conc, signal;
        double a, b;
        PlotLine expected;
    };
    const Values diagonal{0, 1, 2};
    const Row rows[] = {
        {"inside", diagonal, diagonal, 0.25, 0.5, {0, 0.25, 2, 1.25}},
        {"end above top", diagonal, diagonal, 0.5, 1, {0, 0.5, 1.5, 2}},
        {"start below bottom", diagonal, diagonal, -0.5, 1, {0.5, 0, 2, 1.5}},
        {"falling, start above top", diagonal, diagonal, 2.5, -1, {0.5, 2, 2, 0.5}},
        {"falling, end below bottom", diagonal, diagonal, 1, -1, {0, 1, 1, 0}},
        {"both ends", diagonal, diagonal, -1, 2, {0.5, 0, 1.5, 2}},
        {"flat inside needs no division", {1, 2, 3}, {-1, 0, 1}, 0, 0, {1, 0, 3, 0}},
        // Through the origin, missing the data box: both ends meet the same bound and the line
        // collapses to one point outside the frame.
        {"origin line below box", {1, 2, 3}, {10, 11, 12}, 0, 1, {10, 10, 10, 10}},
        {"origin line above box", {1, 2, 3}, {10, 11, 12}, 0, 20, {0.6, 12, 0.6, 12}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PlotLayout layout = plotLayout(row.conc, row.signal, row.a, row.b);
        ASSERT_EQ(layout.status, PlotStatus::Drawn);
        EXPECT_DOUBLE_EQ(layout.plot.line.x1, row.expected.x1);
        EXPECT_DOUBLE_EQ(layout.plot.line.y1, row.expected.y1);
        EXPECT_DOUBLE_EQ(layout.plot.line.x2, row.expected.x2);
        EXPECT_DOUBLE_EQ(layout.plot.line.y2, row.expected.y2);
    }
}

// Equal signals at any magnitude and sign: the value stays exactly mid-height, and the fitted
// line (b = 0, a the value give or take the last bit of a rounded mean) runs through it.
TEST(PlotLayout, EqualSignalsSitAtMidHeight) {
    const Values conc{1, 2, 3, 4};
    for (const double value : {0.0, 1e-320, -1e-320, 1e-300, 1e-20, 0.1, 5.0, -5.0, 1e4, 1e6, -1e6,
                               3e38, -3e38, 1e300, -1e300}) {
        for (const double a : {value, std::nextafter(value, inf), std::nextafter(value, -inf)}) {
            SCOPED_TRACE(testing::Message() << "value " << value << ", a = " << a);
            const PlotLayout layout = plotLayout(conc, Values(conc.size(), value), a, 0.0);
            ASSERT_EQ(layout.status, PlotStatus::Drawn);
            const auto [scale, line] = layout.plot;
            EXPECT_LT(scale.ymin, value);
            EXPECT_GT(scale.ymax, value);
            EXPECT_EQ(toPixel(scale, 1, value).y, 120.5f);
            EXPECT_EQ(toPixel(scale, 4, value).y, 120.5f);
            EXPECT_EQ(line.y1, line.y2);
            EXPECT_NEAR(toPixel(scale, line.x1, line.y1).y, 120.5, 1e-4);
        }
    }
}

TEST(PlotLayout, TinyRangesSpanTheFrame) {
    struct Row {
        const char* name;
        Values conc, signal; // first and last are the minimum and the maximum
    };
    const Row rows[] = {
        {"femtomolar", {1e-15, 2e-15, 3e-15}, {1e-15, 2e-15, 4e-15}},
        {"span 1e-13", {0, 5e-14, 1e-13}, {2, 2 + 5e-14, 2 + 1e-13}},
        {"one ulp", {1, std::nextafter(1.0, 2.0)}, {7, 7.5}},
        {"subnormal", {0, 5e-324}, {-1, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PlotLayout layout = plotLayout(row.conc, row.signal, row.signal[0], 0.0);
        ASSERT_EQ(layout.status, PlotStatus::Drawn);
        expectnear(toPixel(layout.plot.scale, row.conc.front(), row.signal.front()), 56, 230, 0);
        expectnear(toPixel(layout.plot.scale, row.conc.back(), row.signal.back()), 355, 11, 0);
    }
}

TEST(PlotLayout, StopsOnEqualConcentrationsOrNonFiniteValues) {
    struct Row {
        const char* name;
        Values conc, signal;
        double a, b;
        PlotStatus expected;
    };
    const Row rows[] = {
        {"equal concentrations", {2, 2, 2}, {1, 2, 3}, 0, 1, PlotStatus::Skipped},
        {"one point", {5}, {1}, 0, 1, PlotStatus::Skipped},
        {"equal tiny concentrations", {1e-300, 1e-300}, {1, 2}, 0, 1, PlotStatus::Skipped},
        {"NaN concentration", {1, nan, 3}, {1, 2, 3}, 0, 1, PlotStatus::Failed},
        {"infinite signal", {1, 2, 3}, {1, inf, 3}, 0, 1, PlotStatus::Failed},
        {"NaN intercept", {1, 2, 3}, {1, 2, 3}, nan, 1, PlotStatus::Failed},
        {"infinite slope", {1, 2, 3}, {1, 2, 3}, 0, -inf, PlotStatus::Failed},
        // y = 0 through the origin lies below the data and never meets the range.
        {"flat origin line outside", {1, 2, 3}, {1, 2, 3}, 0, 0, PlotStatus::Failed},
        {"signal span overflows", {1, 2}, {-1e308, 1e308}, 0, 0, PlotStatus::Failed},
        {"concentration span overflows", {-1e308, 1e308}, {1, 2}, 1.5, 0, PlotStatus::Failed},
        // The collapsed line lands some 1e42 pixels away, beyond single precision.
        {"line end beyond float", {0, 1e-30}, {1, 2}, 0, 1e-10, PlotStatus::Failed},
        {"no points", {}, {}, 0, 1, PlotStatus::Failed},
        {"sizes differ", {1, 2, 3}, {1, 2}, 0, 1, PlotStatus::Failed},
    };
    for (const Row& row : rows)
        EXPECT_EQ(plotLayout(row.conc, row.signal, row.a, row.b).status, row.expected) << row.name;
}

TEST(MarkerRect, CoversFivePixelsAroundTheRoundedCentre) {
    struct Row {
        PixelPoint centre;
        PixelRect expected;
    };
    const Row rows[] = {
        {{56, 230}, {54, 228, 58, 232}},
        {{89.222f, 200.472f}, {87, 198, 91, 202}},
        {{120.5f, 120.49f}, {119, 118, 123, 122}},
        // The largest float below one half rounds down; x + 0.5f in float would give 1.
        {{0.49999997f, 0.5f}, {-2, -1, 2, 3}},
    };
    for (const Row& row : rows) {
        const PixelRect got = markerRect(row.centre);
        EXPECT_EQ(got, row.expected)
            << "centre " << row.centre.x << ", " << row.centre.y << ": got " << got.left << ' '
            << got.top << ' ' << got.right << ' ' << got.bottom;
    }
}

} // namespace
} // namespace calibrix
