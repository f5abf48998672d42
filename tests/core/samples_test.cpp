#include "core/samples.h"
#include "tests/common/sampletable.h"

#include <gtest/gtest.h>

namespace calibrix {
namespace {

// The start-up table's calibration at a model and level.
Calibration sampleCalibration(Model model, int level) {
    const std::vector<double> conc = testdata::sampleConc(), signal = testdata::sampleSignal();
    return {*calibrate(conc, signal, model, level), model, level, conc, signal};
}

// The three texts a row shows.
struct Shown {
    std::string c, dc, note;
};

struct SampleCase {
    const char* name;
    Model model;
    int level;
    const char* ms;
    const char* m;
    Shown shown;
};

void PrintTo(const SampleCase& c, std::ostream* os) {
    *os << c.name;
}

class SampleTextsTest : public testing::TestWithParam<SampleCase> {};

// The expected C and ΔC are the exact figures of the float-rounded table (tools/exactfit.py
// with the sample's MS and m), rounded as the result fields show them.
TEST_P(SampleTextsTest, Shows) {
    const SampleCase& c = GetParam();
    const SampleTexts texts = sampletexts(c.ms, c.m, sampleCalibration(c.model, c.level), ".");
    EXPECT_EQ(texts.c, c.shown.c);
    EXPECT_EQ(texts.dc, c.shown.dc);
    EXPECT_EQ(texts.note, c.shown.note);
}

constexpr auto line = Model::Intercept;
constexpr auto origin = Model::Origin;

INSTANTIATE_TEST_SUITE_P(
    Cases, SampleTextsTest,
    testing::Values(
        SampleCase{"Once95", line, 2, "45", "", {"  4.490208", "  5.43809E-01", ""}},
        SampleCase{"ThreeTimes95", line, 2, "45", "3", {"  4.490208", "  3.44224E-01", ""}},
        SampleCase{"Origin99", origin, 3, "45", "2", {"  4.509370", "  5.09427E-01", ""}},
        SampleCase{"BelowDLAndRange90",
                   line,
                   1,
                   "5",
                   "1",
                   {"  4.51040E-01", "  4.93664E-01", "below DL, outside C range"}},
        SampleCase{
            "Extrapolated99", line, 3, "150", "", {"  15.093023", "  1.116579", "outside C range"}},
        SampleCase{"CommaAndBlanks", line, 2, " 45,0", " 3", {"  4.490208", "  3.44224E-01", ""}},
        SampleCase{"NoSignal", line, 2, "", "3", {}},
        SampleCase{"BadSignal", line, 2, "4x", "", {"", "", "incorrect value"}},
        SampleCase{"NoReplicates", line, 2, "45", "0", {"", "", "incorrect value"}},
        SampleCase{"TooManyReplicates", line, 2, "45", "100", {"", "", "incorrect value"}},
        SampleCase{"HalfAReplicate", line, 2, "45", "2.5", {"", "", "incorrect value"}}),
    [](const testing::TestParamInfo<SampleCase>& row) { return std::string(row.param.name); });

// Blank main results give blank sample results; a flat line gives no concentration.
TEST(SampleTexts, WithoutACalibrationNothingIsShown) {
    EXPECT_EQ(sampletexts("45", "1", std::nullopt, ".").note, "");
    Calibration flat = sampleCalibration(line, 2);
    flat.fit.b = 0;
    const SampleTexts texts = sampletexts("45", "1", flat, ",");
    EXPECT_EQ(texts.c, " undefined ");
    EXPECT_EQ(texts.dc, " undefined ");
}

TEST(SampleTexts, TheUsersSeparator) {
    EXPECT_EQ(sampletexts("45", "", sampleCalibration(line, 2), ",").c, "  4,490208");
}

} // namespace
} // namespace calibrix
