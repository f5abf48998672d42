#include "core/statistics.h"
#include "tests/common/sampletable.h"

#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iomanip>
#include <limits>
#include <numbers>
#include <vector>

namespace calibrix {
namespace {

// ---- Student's t, computed independently of the table -------------------------------------

// Continued fraction of the incomplete beta function (modified Lentz).
double betafraction(double a, double b, double x) {
    constexpr double tiny = 1e-300;
    double c = 1;
    double d = 1 - (a + b) * x / (a + 1);
    d = 1 / (std::abs(d) < tiny ? tiny : d);
    double h = d;
    for (int m = 1; m < 1000; ++m) {
        const double m2 = 2.0 * m;
        double term = m * (b - m) * x / ((a + m2 - 1) * (a + m2));
        d = 1 + term * d;
        d = 1 / (std::abs(d) < tiny ? tiny : d);
        c = 1 + term / c;
        c = std::abs(c) < tiny ? tiny : c;
        h *= d * c;
        term = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1));
        d = 1 + term * d;
        d = 1 / (std::abs(d) < tiny ? tiny : d);
        c = 1 + term / c;
        c = std::abs(c) < tiny ? tiny : c;
        const double delta = d * c;
        h *= delta;
        if (std::abs(delta - 1) < 1e-16)
            break;
    }
    return h;
}

// Regularised incomplete beta I_x(a, b).
double incompletebeta(double a, double b, double x) {
    if (x <= 0)
        return 0;
    if (x >= 1)
        return 1;
    const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                  a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1) / (a + b + 2))
        return front * betafraction(a, b, x) / a;
    return 1 - front * betafraction(b, a, 1 - x) / b;
}

// P(T <= t) for t >= 0 and nu degrees of freedom.
double tcdf(double t, double nu) {
    return 1 - 0.5 * incompletebeta(nu / 2, 0.5, nu / (nu + t * t));
}

// The p quantile of t (p > 0.5) by bisection.
double tquantile(double p, double nu) {
    double lo = 0, hi = 1000;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (tcdf(mid, nu) < p ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

// The quantile routine against the closed forms for 1 and 2 degrees of freedom.
TEST(TTable, ReferenceQuantileMatchesClosedForms) {
    for (double p : {0.95, 0.975, 0.995}) {
        EXPECT_NEAR(tquantile(p, 1), std::tan(std::numbers::pi * (p - 0.5)), 1e-9) << p;
        EXPECT_NEAR(tquantile(p, 2), (2 * p - 1) / std::sqrt(2 * p * (1 - p)), 1e-9) << p;
    }
}

TEST(TTable, EveryEntryIsTheQuantileToThreeDecimals) {
    constexpr double upper[] = {0, 0.95, 0.975, 0.995};
    for (int level = 1; level <= 3; ++level) {
        for (int row = 1; row <= 33; ++row) {
            const double df = row <= 30 ? row : row == 31 ? 40 : row == 32 ? 60 : 120;
            const double q = tquantile(upper[level], df);
            const double entry = ttable[std::size_t(level)][std::size_t(row)];
            EXPECT_EQ(std::llround(entry * 1000), std::llround(q * 1000))
                << "level " << level << " row " << row << ": table " << entry << ", quantile " << q;
            EXPECT_NEAR(entry * 1000, std::round(entry * 1000), 1e-9) << "three decimals only";
        }
    }
    for (std::size_t row = 0; row < 34; ++row)
        EXPECT_EQ(ttable[0][row], 0.0);
    for (std::size_t level = 0; level < 4; ++level)
        EXPECT_EQ(ttable[level][0], 0.0);
}

// ---- A reference fit written from the textbook centred formulas -------------------------------

struct Reference {
    double a, b, da, db, s, r, dl;
};

Reference referencefit(const std::vector<double>& x, const std::vector<double>& y, Model model,
                       double t) {
    const double n = double(x.size());
    double mx = 0, my = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        mx += x[i] / n;
        my += y[i] / n;
    }
    double qxx = 0, qyy = 0, qxy = 0, sumxx = 0, sumxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        qxx += (x[i] - mx) * (x[i] - mx);
        qyy += (y[i] - my) * (y[i] - my);
        qxy += (x[i] - mx) * (y[i] - my);
        sumxx += x[i] * x[i];
        sumxy += x[i] * y[i];
    }
    Reference ref{};
    ref.r = qxy / std::sqrt(qxx * qyy);
    double varb = 0, vara = 0;
    if (model == Model::Intercept) {
        ref.b = qxy / qxx;
        ref.a = my - ref.b * mx;
    } else {
        ref.b = sumxy / sumxx;
    }
    double ss = 0;
    for (std::size_t i = 0; i < x.size(); ++i)
        ss += std::pow(y[i] - ref.a - ref.b * x[i], 2);
    const double s2 = ss / (n - (model == Model::Intercept ? 2 : 1));
    if (model == Model::Intercept) {
        varb = s2 / qxx;
        vara = s2 * (1 / n + mx * mx / qxx);
    } else {
        varb = s2 / sumxx;
    }
    ref.s = std::sqrt(s2);
    ref.da = t * std::sqrt(vara);
    ref.db = t * std::sqrt(varb);
    ref.dl = t * (std::sqrt(vara) + std::sqrt(varb) * mx) / (ref.b + ref.db);
    return ref;
}

// Relative tolerance, or absolute below 1 (and throughout when `absolute` is set).
void expectclose(const Fit& fit, const Reference& ref, double tolerance, bool absolute = false) {
    auto close = [=](double v) { return tolerance * (absolute ? 1 : std::max(1.0, std::abs(v))); };
    EXPECT_NEAR(fit.a, ref.a, close(ref.a)) << "a";
    EXPECT_NEAR(fit.b, ref.b, close(ref.b)) << "b";
    EXPECT_NEAR(fit.da, ref.da, close(ref.da)) << "da";
    EXPECT_NEAR(fit.db, ref.db, close(ref.db)) << "db";
    EXPECT_NEAR(fit.s, ref.s, close(ref.s)) << "s";
    EXPECT_NEAR(fit.r, ref.r, close(ref.r)) << "r";
    EXPECT_NEAR(fit.dl, ref.dl, close(ref.dl)) << "dl";
}

// ---- The sample table the program opens with ------------------------------------------------

const std::vector<double> samplec = testdata::sampleConc();
const std::vector<double> samplems = testdata::sampleSignal();

struct Worked {
    Model model;
    int level;
    int dfrow;
    Reference expected; // to six decimals
};

void PrintTo(const Worked& w, std::ostream* os) {
    *os << (w.model == Model::Intercept ? "intercept" : "origin") << " level " << w.level;
}

class WorkedExample : public testing::TestWithParam<Worked> {};

TEST_P(WorkedExample, MatchesPublishedFigures) {
    const Worked& w = GetParam();
    const auto fit = calibrate(samplec, samplems, w.model, w.level);
    ASSERT_TRUE(fit.has_value());
    EXPECT_EQ(fit->dfrow, w.dfrow);
    expectclose(*fit, w.expected, 5.0001e-7, true); // half a unit of the sixth decimal
    // And against the centred formulas, far more tightly.
    const double t = ttable[std::size_t(w.level)][std::size_t(w.dfrow)];
    expectclose(*fit, referencefit(samplec, samplems, w.model, t), 1e-12);
}

// Intercept model: the figures given with the program; origin model at 90 and 99 %: computed
// independently with 40-digit arithmetic.
INSTANTIATE_TEST_SUITE_P(
    SampleData, WorkedExample,
    testing::Values(
        Worked{Model::Intercept,
               1,
               8,
               {0.533333, 9.903030, 2.813511, 0.453438, 2.214279, 0.997585, 0.512474}},
        Worked{Model::Intercept,
               2,
               8,
               {0.533333, 9.903030, 3.488149, 0.562166, 2.214279, 0.997585, 0.628757}},
        Worked{Model::Intercept,
               3,
               8,
               {0.533333, 9.903030, 5.074908, 0.817896, 2.214279, 0.997585, 0.892958}},
        Worked{Model::Origin, 1, 9, {0, 9.979221, 0, 0.196533, 2.103800, 0.997585, 0.106226}},
        Worked{Model::Origin, 2, 9, {0, 9.979221, 0, 0.242531, 2.103800, 0.997585, 0.130498}},
        Worked{Model::Origin, 3, 9, {0, 9.979221, 0, 0.348464, 2.103800, 0.997585, 0.185574}}));

// ---- Where no fit is given -----------------------------------------------------------------

struct NoFit {
    const char* name;
    std::vector<double> conc, signal;
    Model model;
    int level;
};

void PrintTo(const NoFit& c, std::ostream* os) {
    *os << c.name;
}

class CalibrateStops : public testing::TestWithParam<NoFit> {};

TEST_P(CalibrateStops, ReturnsNullopt) {
    const NoFit& c = GetParam();
    EXPECT_FALSE(calibrate(c.conc, c.signal, c.model, c.level).has_value()) << c.name;
}

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Preconditions, CalibrateStops,
    testing::Values(NoFit{"no points", {}, {}, Model::Intercept, 2},
                    NoFit{"two points", {1, 2}, {3, 4}, Model::Intercept, 2},
                    NoFit{"two points, origin", {1, 2}, {3, 4}, Model::Origin, 2},
                    NoFit{"spans differ", {1, 2, 3}, {1, 2}, Model::Intercept, 2},
                    NoFit{"level 0", {1, 2, 3}, {1, 2, 4}, Model::Intercept, 0},
                    NoFit{"level 4", {1, 2, 3}, {1, 2, 4}, Model::Intercept, 4},
                    NoFit{"equal concentrations", {2, 2, 2}, {1, 5, 9}, Model::Intercept, 2},
                    NoFit{"equal concentrations, origin", {2, 2, 2}, {1, 5, 9}, Model::Origin, 2},
                    NoFit{"all zero", {0, 0, 0, 0}, {0, 0, 0, 0}, Model::Origin, 1}));

INSTANTIATE_TEST_SUITE_P(
    NotFinite, CalibrateStops,
    testing::Values(
        NoFit{"Sxx overflows", {1e200, 2e200, 3e200}, {1, 2, 3}, Model::Intercept, 2},
        NoFit{"Syy overflows", {1, 2, 3}, {1e200, 2e200, 4e200}, Model::Intercept, 2},
        NoFit{"Syy overflows, origin", {1, 2, 3}, {1e200, 2e200, 4e200}, Model::Origin, 2},
        NoFit{"infinite signal", {1, 2, 3}, {1, inf, 3}, Model::Intercept, 2},
        NoFit{"NaN concentration", {1, nan, 3}, {1, 2, 3}, Model::Intercept, 2},
        NoFit{"NaN signal, origin", {1, 2, 3}, {1, 2, nan}, Model::Origin, 3},
        // The sums fit, but a later product does not.
        NoFit{"correlation product overflows",
              {1e100, 2e100, 3e100},
              {1e150, 3e150, 2e150},
              Model::Intercept,
              2},
        NoFit{
            "slope variance overflows", {0, 1e-100, 2e-100}, {0, 1e150, 0}, Model::Intercept, 2}));

// Equal values a double cannot hold leave D a rounding error away from zero.
TEST(Calibrate, StopsOnEqualConcentrationsEvenWhenDIsNotZero) {
    for (const auto& [value, count] : {std::pair{0.1, 5}, std::pair{0.3, 3}}) {
        const std::vector<double> conc(std::size_t(count), value);
        std::vector<double> signal;
        for (int i = 0; i < count; ++i)
            signal.push_back(1 + i);
        double sx = 0, sxx = 0;
        for (double x : conc) {
            sx += x;
            sxx += x * x;
        }
        ASSERT_NE(count * sxx - sx * sx, 0.0) << "the data no longer exercise the rounding";
        EXPECT_FALSE(calibrate(conc, signal, Model::Intercept, 2).has_value()) << value;
        EXPECT_FALSE(calibrate(conc, signal, Model::Origin, 2).has_value()) << value;
    }
}

// Equal signals a double cannot hold make the textbook n·Syy − Sy² slightly negative: r is
// undefined, but the line is still given.
TEST(Calibrate, NegativeRoundingUnderCorrelationRootGivesZeroR) {
    for (const auto& [value, count] : {std::pair{0.1, 24}, std::pair{0.7, 5}}) {
        const std::vector<double> signal(std::size_t(count), value);
        std::vector<double> conc;
        for (int i = 0; i < count; ++i)
            conc.push_back(1 + i);
        double sy = 0, syy = 0;
        for (double y : signal) {
            sy += y;
            syy += y * y;
        }
        ASSERT_LT(count * syy - sy * sy, 0.0) << "the data no longer exercise the rounding";
        for (Model model : {Model::Intercept, Model::Origin}) {
            const auto fit = calibrate(conc, signal, model, 2);
            ASSERT_TRUE(fit.has_value()) << value;
            EXPECT_EQ(fit->r, 0.0);
            EXPECT_NEAR(fit->b, model == Model::Intercept ? 0 : value / (2 * count + 1) * 3, 1e-12);
            EXPECT_NEAR(fit->a, model == Model::Intercept ? value : 0, 1e-12);
            if (model == Model::Intercept)
                EXPECT_LT(fit->s, 1e-12);
            else
                EXPECT_NEAR(fit->s, referencefit(conc, signal, model, 1).s, 1e-12);
        }
    }
}

// Large, close concentrations (single-precision values, as the cells give them): the one-pass
// n·Sxx − Sx² cancels here and once gave b a quarter too small. The reference slope is exact.
TEST(Calibrate, LargeCloseConcentrationsKeepTheirSlope) {
    const double low = 999999986991104.0, high = 1000000054099968.0;
    const std::vector<double> conc = {low, high, high, high, high, high, high};
    const std::vector<double> signal = {2, 4, 2, 5, 1, 9, 9};
    const auto fit = calibrate(conc, signal, Model::Intercept, 2);
    ASSERT_TRUE(fit.has_value());
    const double exact = 4.470348358154297e-08; // Σ(x − x̄)(y − ȳ) / Σ(x − x̄)² in fractions
    EXPECT_NEAR(fit->b, exact, 1e-12 * exact) << std::setprecision(17) << fit->b;
}

// ---- Against exact arithmetic, on values a cell can hold ---------------------------------------

// Cells give single-precision values; the fit computes with them as doubles.
std::vector<double> singles(std::initializer_list<float> values) {
    return {values.begin(), values.end()};
}

struct ExactCase {
    const char* name;
    std::vector<double> conc, signal;
    Model model;
    int level;
    double s, da, db, dl; // exact from the float-rounded inputs (tools/exactfit.py)
};

void PrintTo(const ExactCase& c, std::ostream* os) {
    *os << c.name;
}

class ExactFigures : public testing::TestWithParam<ExactCase> {};

// Residuals far below the values they come from (an intercept or signals millions of times
// larger) keep their digits.
TEST_P(ExactFigures, AgreeToOnePartInABillion) {
    const ExactCase& c = GetParam();
    const auto fit = calibrate(c.conc, c.signal, c.model, c.level);
    ASSERT_TRUE(fit.has_value());
    const std::pair<const char*, std::pair<double, double>> figures[] = {{"s", {fit->s, c.s}},
                                                                         {"da", {fit->da, c.da}},
                                                                         {"db", {fit->db, c.db}},
                                                                         {"dl", {fit->dl, c.dl}}};
    for (const auto& [what, values] : figures) {
        const auto [got, exact] = values;
        EXPECT_NEAR(got, exact, 1e-9 * std::abs(exact))
            << what << std::setprecision(17) << ": got " << got << ", exact " << exact;
    }
}

INSTANTIATE_TEST_SUITE_P(
    CellValues, ExactFigures,
    testing::Values(
        ExactCase{"intercept far above the residuals",
                  singles({1234567, 1234568, 1234569, 1234570, 1234571}),
                  singles({0.5f, 0.7f, 0.9f, 1.1f, 1.3f}), Model::Intercept, 2,
                  2.8791778775432584e-8, 3.5767125590646626e-2, 2.8971345943906869e-8,
                  3.5767121475469929e-1},
        ExactCase{"concentrations near the largest float",
                  singles({3.4028227E38f, 3.4028229E38f, 3.4028231E38f, 3.4028233E38f}),
                  singles({1, 2, 3, 4.0000005f}), Model::Intercept, 3, 1.8467823725735745e-7,
                  1.3752480543105307e+1, 4.0414916401742768e-38, 5.5786634978992241e+32},
        ExactCase{"through the origin, signals far above the residuals", singles({656, 666, 676}),
                  singles({721.6f, 732.6f, 743.6f}), Model::Origin, 1, 3.6654996973718345e-7, 0,
                  9.2778756626467210e-10, 5.6173321745444065e-7},
        ExactCase{"through the origin, scaled up",
                  singles({2.53E9f, 2.61E9f, 2.69E9f, 2.77E9f, 2.85E9f, 2.93E9f}),
                  singles({1.265E10f, 1.305E10f, 1.345E10f, 1.385E10f, 1.425E10f, 1.465E10f}),
                  Model::Origin, 2, 5.6068398085888060e+1, 0, 2.1529739842006965e-8,
                  1.1755236472302152e+1}));

// Near-exact lines on which the textbook quotient rounds past ±1; the exact correlation lies
// within 1e-16 of ±1, inside it.
TEST(Calibrate, CorrelationNeverExceedsOne) {
    const std::pair<std::vector<double>, std::vector<double>> lines[] = {
        {singles({0.16f, 0.32f, 0.48f, 0.64f, 0.80f}),
         singles({0.528f, 1.056f, 1.584f, 2.112f, 2.640f})},
        {singles({0.46f, 0.58f, 0.70f}), singles({-7.82f, -9.86f, -11.9f})},
    };
    for (const auto& [conc, signal] : lines) {
        const double sign = signal[0] > 0 ? 1 : -1;
        ASSERT_GT(sign * referencefit(conc, signal, Model::Intercept, 1).r, 1.0)
            << "the data no longer exercise the rounding";
        for (Model model : {Model::Intercept, Model::Origin}) {
            const double r = calibrate(conc, signal, model, 2).value().r;
            EXPECT_LE(std::abs(r), 1.0) << std::setprecision(17) << r;
            EXPECT_NEAR(r, sign, 2e-16) << std::setprecision(17) << r;
        }
    }
}

// ---- NIST StRD linear regression sets, exact doubles -------------------------------------------

struct Certified {
    const char* name;
    std::vector<double> conc, signal;
    Model model;
    double a, sda, b, sdb, s, r2; // sda, sdb: standard deviations; r2 < 0: not certified here
};

void PrintTo(const Certified& c, std::ostream* os) {
    *os << c.name;
}

class StRD : public testing::TestWithParam<Certified> {};

// Twelve significant digits of every certified value; the half-widths are the certified
// standard deviations times the table's t.
TEST_P(StRD, TwelveCorrectDigits) {
    const Certified& c = GetParam();
    const auto fit = calibrate(c.conc, c.signal, c.model, 2);
    ASSERT_TRUE(fit.has_value());
    const double t = ttable[2][std::size_t(fit->dfrow)];
    const std::pair<const char*, std::pair<double, double>> figures[] = {
        {"a", {fit->a, c.a}}, {"sd a", {fit->da / t, c.sda}},
        {"b", {fit->b, c.b}}, {"sd b", {fit->db / t, c.sdb}},
        {"s", {fit->s, c.s}}, {"r2", {fit->r * fit->r, c.r2}}};
    for (const auto& [what, values] : figures) {
        const auto [got, certified] = values;
        if (certified < 0)
            continue;
        EXPECT_NEAR(got, certified, 1e-12 * std::abs(certified))
            << what << std::setprecision(17) << ": got " << got << ", certified " << certified;
    }
}

std::vector<double> sequence(double first, double last) {
    std::vector<double> out;
    for (double v = first; v <= last; ++v)
        out.push_back(v);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Certified, StRD,
    testing::Values(
        Certified{"Norris",
                  {0.2, 337.4, 118.2, 884.6, 10.1,  226.5, 666.3, 996.3, 448.6, 777.0, 558.2, 0.4,
                   0.6, 775.5, 666.9, 338.0, 447.5, 11.6,  556.0, 228.1, 995.8, 887.6, 120.2, 0.3,
                   0.3, 556.8, 339.1, 887.2, 999.0, 779.0, 11.1,  118.3, 229.2, 669.1, 448.9, 0.5},
                  {0.1, 338.8, 118.1, 888.0, 9.2,   228.1, 668.5, 998.5, 449.1, 778.9, 559.2, 0.3,
                   0.1, 778.1, 668.8, 339.3, 448.9, 10.8,  557.7, 228.3, 998.0, 888.8, 119.6, 0.3,
                   0.6, 557.6, 339.3, 888.0, 998.5, 778.9, 10.2,  117.6, 228.9, 668.4, 449.2, 0.2},
                  Model::Intercept,
                  -0.262323073774029,
                  0.232818234301152,
                  1.00211681802045,
                  0.429796848199937e-3,
                  0.884796396144373,
                  0.999993745883712},
        Certified{"NoInt1", sequence(60, 70), sequence(130, 140), Model::Origin, 0, -1,
                  2.07438016528926, 0.165289256198347e-1, 3.56753034006338, -1},
        Certified{"NoInt2",
                  {4, 5, 6},
                  {3, 4, 4},
                  Model::Origin,
                  0,
                  -1,
                  0.727272727272727,
                  0.420827318078432e-1,
                  0.369274472937998,
                  -1}));

// ---- Degenerate but valid data ---------------------------------------------------------------

// Flat and exact lines, all values exactly representable: every output is exact.
TEST(Calibrate, ExactLinesFitExactly) {
    struct Exact {
        const char* name;
        std::vector<double> conc, signal;
        int level;
        double a, b, r;
    };
    const Exact rows[] = {
        {"equal whole signals", {1, 2, 3, 4}, {7, 7, 7, 7}, 2, 7, 0, 0},
        {"MS = 2 + 3C", {0, 0.5, 1, 2, 4}, {2, 3.5, 5, 8, 14}, 3, 2, 3, 1},
    };
    for (const Exact& row : rows) {
        const auto fit = calibrate(row.conc, row.signal, Model::Intercept, row.level);
        ASSERT_TRUE(fit.has_value()) << row.name;
        EXPECT_EQ(fit->a, row.a) << row.name;
        EXPECT_EQ(fit->b, row.b) << row.name;
        EXPECT_EQ(fit->r, row.r) << row.name;
        EXPECT_EQ(fit->s, 0.0) << row.name;
        EXPECT_EQ(fit->da, 0.0) << row.name;
        EXPECT_EQ(fit->db, 0.0) << row.name;
        EXPECT_EQ(fit->dl, 0.0) << row.name;
    }
}

// A falling line: r is negative for both models, and b + Δb below zero leaves no detection
// limit.
TEST(Calibrate, NegativeSlope) {
    const std::vector<double> conc = {1, 2, 3, 4, 5};
    const std::vector<double> signal = {9.8, 8.1, 5.9, 4.2, 1.7};
    const Fit line = calibrate(conc, signal, Model::Intercept, 2).value();
    EXPECT_LT(line.r, -0.99);
    ASSERT_LE(line.b + line.db, 0);
    EXPECT_EQ(line.dl, 0.0);
    EXPECT_EQ(calibrate(conc, signal, Model::Origin, 2).value().r, line.r);
}

// ---- Table rows and larger tables ------------------------------------------------------------

struct RowCase {
    int n;
    Model model;
    int dfrow;
};

void PrintTo(const RowCase& c, std::ostream* os) {
    *os << "n " << c.n << (c.model == Model::Intercept ? " intercept" : " origin");
}

class TableRow : public testing::TestWithParam<RowCase> {};

TEST_P(TableRow, DegreesOfFreedomPickTheRow) {
    const RowCase& c = GetParam();
    // A noisy line whose noise does not depend on n's parity.
    std::vector<double> conc, signal;
    for (int i = 0; i < c.n; ++i) {
        conc.push_back(0.5 * i);
        signal.push_back(3 + 2 * 0.5 * i + std::sin(1.7 * i));
    }
    for (int level = 1; level <= 3; ++level) {
        const auto fit = calibrate(conc, signal, c.model, level);
        ASSERT_TRUE(fit.has_value());
        EXPECT_EQ(fit->dfrow, c.dfrow) << "n " << c.n;
        const double t = ttable[std::size_t(level)][std::size_t(c.dfrow)];
        expectclose(*fit, referencefit(conc, signal, c.model, t), 1e-10);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TableRow,
    testing::Values(RowCase{3, Model::Intercept, 1}, RowCase{3, Model::Origin, 2},
                    RowCase{25, Model::Intercept, 23}, RowCase{25, Model::Origin, 24},
                    RowCase{32, Model::Intercept, 30}, RowCase{33, Model::Intercept, 31},
                    RowCase{42, Model::Intercept, 31}, RowCase{41, Model::Origin, 31},
                    RowCase{43, Model::Intercept, 32}, RowCase{62, Model::Intercept, 32},
                    RowCase{61, Model::Origin, 32}, RowCase{63, Model::Intercept, 33},
                    RowCase{500, Model::Origin, 33}));

} // namespace
} // namespace calibrix
