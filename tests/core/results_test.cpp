#include "core/results.h"

#include <gtest/gtest.h>
#include <limits>

namespace calibrix {
namespace {

// A fit with an ordinary value in every field, so that a test changes only what it looks at.
Fit ordinary() {
    return Fit{0.5, 9.9, 3.5, 0.56, 2.2, 0.99, 0.63, 8};
}

struct Number {
    double value;
    std::string_view text;
};

void PrintTo(const Number& row, std::ostream* os) {
    *os << row.value << " -> \"" << row.text << '"';
}

class NumberText : public testing::TestWithParam<Number> {};

// The intercept and the slope show N(v), with " 0 " for zero.
TEST_P(NumberText, InterceptAndSlope) {
    Fit fit = ordinary();
    fit.a = fit.b = GetParam().value;
    const ResultTexts texts = resulttexts(fit, Model::Intercept, ".");
    EXPECT_EQ(texts.laba, GetParam().text);
    EXPECT_EQ(texts.labb, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, NumberText,
    testing::Values(Number{0.5, "  5.00000E-01"}, Number{12.5, "  12.500000"},
                    Number{1000, "  1.00000E+03"}, Number{-0.001234, "  -1.23400E-03"},
                    // Below 1000 takes the fixed pattern even when it rounds up to 1000.
                    Number{1000 - 1e-7, "  1000.000000"}, Number{999.9999994, "  999.999999"},
                    Number{-1, "  -1.000000"}, Number{1, "  1.000000"},
                    Number{-0.5, "  -5.00000E-01"}, Number{-999.5, "  -999.500000"},
                    // Below 1 takes the scientific pattern even when it rounds up to 1.
                    Number{0.999999999, "  1.00000E+00"}, Number{9.999996e-3, "  1.00000E-02"},
                    Number{123456, "  1.23456E+05"}, Number{-2.5e-7, "  -2.50000E-07"},
                    Number{1e-300, "  1.00000E-300"}, Number{0, " 0 "}, Number{-0.0, " 0 "}));

struct Spread {
    double value;
    std::string_view text;
};

void PrintTo(const Spread& row, std::ostream* os) {
    *os << row.value << " -> \"" << row.text << '"';
}

class SpreadText : public testing::TestWithParam<Spread> {};

TEST_P(SpreadText, DeltaADeltaBAndS) {
    const Spread& row = GetParam();
    for (int field = 0; field < 3; ++field) {
        Fit fit = ordinary();
        (field == 0 ? fit.da : field == 1 ? fit.db : fit.s) = row.value;
        // Keep the slope above Δb so that nothing else changes with it.
        fit.b = 1e12;
        const ResultTexts texts = resulttexts(fit, Model::Intercept, ".");
        EXPECT_EQ(field == 0   ? texts.labda
                  : field == 1 ? texts.labdb
                               : texts.labso,
                  row.text)
            << "field " << field;
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, SpreadText,
                         testing::Values(Spread{0, " 0 "}, Spread{0.562166, "  5.62166E-01"},
                                         Spread{3.488149, "  3.488149"},
                                         Spread{1e10, "  1.00000E+10"},
                                         Spread{1.0000001e10, " undefined "},
                                         Spread{1e300, " undefined "}));

struct Limit {
    const char* name;
    double dl, b, db;
    std::string_view text;
};

void PrintTo(const Limit& row, std::ostream* os) {
    *os << row.name;
}

class DetectionLimitText : public testing::TestWithParam<Limit> {};

TEST_P(DetectionLimitText, ShownOnlyForSignificantPositiveSlope) {
    const Limit& row = GetParam();
    Fit fit = ordinary();
    fit.dl = row.dl;
    fit.b = row.b;
    fit.db = row.db;
    EXPECT_EQ(resulttexts(fit, Model::Intercept, ".").labnv, row.text) << row.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectionLimitText,
    testing::Values(Limit{"ordinary", 0.628757, 9.9, 0.56, "  6.28757E-01"},
                    Limit{"always scientific", 12.5, 9.9, 0.56, "  1.25000E+01"},
                    Limit{"zero", 0, 9.9, 0.56, " undefined "},
                    Limit{"negative slope", 0.5, -9.9, 0.56, " undefined "},
                    Limit{"half-width equals slope", 0.5, 2, 2, " undefined "},
                    Limit{"half-width above slope", 0.5, 2, 2.5, " undefined "}));

struct Correlation {
    double r;
    std::string_view text;
};

void PrintTo(const Correlation& row, std::ostream* os) {
    *os << row.r << " -> \"" << row.text << '"';
}

class CorrelationText : public testing::TestWithParam<Correlation> {};

TEST_P(CorrelationText, FiveDecimals) {
    Fit fit = ordinary();
    fit.r = GetParam().r;
    EXPECT_EQ(resulttexts(fit, Model::Intercept, ".").labr, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, CorrelationText,
                         testing::Values(Correlation{1, "  1.00000"},
                                         Correlation{-0.5, "  -0.50000"},
                                         Correlation{0.9975848, "  0.99758"},
                                         Correlation{0.999996, "  1.00000"},
                                         Correlation{0, " undefined "}));

TEST(ResultTexts, DecimalSeparatorReplacesThePoint) {
    const Fit fit{0.5, 12.5, 3.488149, 0.562166, 2.214279, -0.5, 0.628757, 8};
    const ResultTexts comma = resulttexts(fit, Model::Intercept, ",");
    EXPECT_EQ(comma.laba, "  5,00000E-01");
    EXPECT_EQ(comma.labb, "  12,500000");
    EXPECT_EQ(comma.labda, "  3,488149");
    EXPECT_EQ(comma.labdb, "  5,62166E-01");
    EXPECT_EQ(comma.labnv, "  6,28757E-01");
    EXPECT_EQ(comma.labso, "  2,214279");
    EXPECT_EQ(comma.labr, "  -0,50000");
    // A separator of more than one byte (Arabic decimal separator in UTF-8).
    EXPECT_EQ(resulttexts(fit, Model::Intercept, "\xD9\xAB").labb, "  12\xD9\xAB"
                                                                   "500000");
}

TEST(ResultTexts, OriginModelHasNoIntercept) {
    const ResultTexts texts = resulttexts(ordinary(), Model::Origin, ".");
    EXPECT_EQ(texts.laba, "");
    EXPECT_EQ(texts.labda, "");
    EXPECT_EQ(texts.labb, "  9.900000");
    EXPECT_EQ(texts.labdb, "  5.60000E-01");
    EXPECT_EQ(texts.labnv, "  6.30000E-01");
    EXPECT_EQ(texts.labso, "  2.200000");
    EXPECT_EQ(texts.labr, "  0.99000");
}

// calibrate never hands out a non-finite fit, but the texts must not show one either way.
TEST(ResultTexts, NeverShowInfOrNan) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    for (double bad : {inf, -inf, nan}) {
        for (int field = 0; field < 7; ++field) {
            Fit fit = ordinary();
            double* fields[] = {&fit.a, &fit.b, &fit.da, &fit.db, &fit.s, &fit.r, &fit.dl};
            *fields[field] = bad;
            const ResultTexts t = resulttexts(fit, Model::Intercept, ".");
            for (const std::string& text :
                 {t.laba, t.labda, t.labb, t.labdb, t.labnv, t.labso, t.labr}) {
                EXPECT_EQ(text.find("inf"), std::string::npos) << field << " " << bad;
                EXPECT_EQ(text.find("nan"), std::string::npos) << field << " " << bad;
                EXPECT_FALSE(text.empty()) << field << " " << bad;
            }
        }
    }
}

} // namespace
} // namespace calibrix
