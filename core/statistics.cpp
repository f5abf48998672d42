#include "core/statistics.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace calibrix {

// Two-sided critical values of Student's t to three decimals, as printed in the usual tables.
// Row r is r degrees of freedom up to 30; rows 31, 32, 33 hold 40, 60 and 120.
const std::array<std::array<double, 34>, 4> ttable = {{
    {},
    {0,     6.314, 2.920, 2.353, 2.132, 2.015, 1.943, 1.895, 1.860, 1.833, 1.812, 1.796,
     1.782, 1.771, 1.761, 1.753, 1.746, 1.740, 1.734, 1.729, 1.725, 1.721, 1.717, 1.714,
     1.711, 1.708, 1.706, 1.703, 1.701, 1.699, 1.697, 1.684, 1.671, 1.658},
    {0,     12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228, 2.201,
     2.179, 2.160,  2.145, 2.131, 2.120, 2.110, 2.101, 2.093, 2.086, 2.080, 2.074, 2.069,
     2.064, 2.060,  2.056, 2.052, 2.048, 2.045, 2.042, 2.021, 2.000, 1.980},
    {0,     63.657, 9.925, 5.841, 4.604, 4.032, 3.707, 3.499, 3.355, 3.250, 3.169, 3.106,
     3.055, 3.012,  2.977, 2.947, 2.921, 2.898, 2.878, 2.861, 2.845, 2.831, 2.819, 2.807,
     2.797, 2.787,  2.779, 2.771, 2.763, 2.756, 2.750, 2.704, 2.660, 2.617},
}};

namespace {

bool allFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

// The table holds 1..30 degrees of freedom exactly, then one row each for 40, 60 and 120;
// a larger df uses the next of those rows at or above it (and 120 beyond that).
int tableRow(int df) {
    if (df > 60)
        return 33;
    if (df > 40)
        return 32;
    if (df > 30)
        return 31;
    return df;
}

} // namespace

// Least-squares line through n points (x_i, y_i), either MS = a + bC (Model::Intercept) or
// MS = bC (Model::Origin, a = 0).
// Outputs: a, b; the half-widths Δa = t·sd(a), Δb = t·sd(b) with Student's t at the level
// (1, 2, 3 = 90, 95, 99 %) and the residual degrees of freedom; s, the residual standard
// deviation; r, Pearson's correlation coefficient of the points (0 where undefined); the
// detection limit t·(sd(a) + sd(b)·x̄) / (b + Δb), 0 where that divisor is not positive; and
// the t-table row used.
// Stops (nullopt) with fewer than 3 points, mismatched spans, a level outside 1..3, all
// concentrations equal, or any intermediate value that is not finite.
std::optional<Fit> calibrate(std::span<const double> conc, std::span<const double> signal,
                             Model model, int level) {
    const std::size_t count = conc.size();
    if (count < 3 || signal.size() != count || level < 1 || level > 3)
        return std::nullopt;
    const double n = double(count);

    // The raw sums, in row order.
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    bool allEqualX = true, allEqualY = true;
    for (std::size_t i = 0; i < count; ++i) {
        const double x = conc[i];
        const double y = signal[i];
        sxy += x * y;
        sx += x;
        sy += y;
        sxx += x * x;
        allEqualX = allEqualX && x == conc[0];
        allEqualY = allEqualY && y == signal[0];
    }
    // All concentrations equal: no spread in C and no line. Equal values that a double cannot
    // hold exactly (0.1) would otherwise leave a spread of rounding errors.
    if (allEqualX)
        return std::nullopt;

    // The spread is summed about the means in a second pass: n·Sxx − Sx² cancels to garbage for
    // large, close concentrations (1.23456790528E11 and its neighbours), Σ(x − x̄)² does not.
    // Equal signals keep their exact common value as mean, so b and r come out exactly 0.
    const double xmean = sx / n;
    const double ymean = allEqualY ? signal[0] : sy / n;
    double cxx = 0, cyy = 0, cxy = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double dx = conc[i] - xmean;
        const double dy = signal[i] - ymean;
        cxx += dx * dx;
        cyy += dy * dy;
        cxy += dx * dy;
    }
    // D = n·Sxx − Sx² = n·Σ(x − x̄)²
    const double d = n * cxx;
    if (!(d > 0))
        return std::nullopt;

    double a = 0, b = 0;
    if (model == Model::Intercept) {
        b = cxy / cxx;         // b = Σ(x − x̄)(y − ȳ) / Σ(x − x̄)²
        a = ymean - b * xmean; // the line passes through (x̄, ȳ)
    } else {
        b = sxy / sxx; // minimises Σ(y − bx)²
    }

    // r = Σ(x − x̄)(y − ȳ) / √(Σ(x − x̄)²·Σ(y − ȳ)²), the same for both models; undefined (0)
    // when the signals have no spread. Clamped: rounding can put a near-exact line a hair beyond
    // ±1, where no correlation can be.
    const double product = cyy * cxx;
    const double r = product > 0 ? std::clamp(cxy / std::sqrt(product), -1.0, 1.0) : 0;

    // SSres = Σ((y − a) − b·x)², summed so that nothing large cancels: an intercept far above
    // the residuals (C near 1234567, MS near 1) would take most of their digits with it.
    // With intercept, each residual is (y − ȳ) − b·(x − x̄), the same value since a = ȳ − b·x̄.
    // Through the origin, y − b·x is taken with one rounding (fma), so a residual far below y
    // keeps its digits. An error in b moves SSres only to second order, since b minimises it.
    double ssres = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double e = model == Model::Intercept
                             ? std::fma(-b, conc[i] - xmean, signal[i] - ymean)
                             : std::fma(-b, conc[i], signal[i]);
        ssres += e * e;
    }

    // One degree of freedom is spent per fitted coefficient.
    const int df = int(count) - (model == Model::Intercept ? 2 : 1);
    const double s2 = ssres / df; // s² = SSres / df: residual variance per degree of freedom

    // var_b = n·s² / D = s² / Σ(x − x̄)², var_a = var_b·Sxx / n; through the origin
    // var_b = s² / Sxx and a has no variance.
    double vara = 0, varb = 0;
    if (model == Model::Intercept) {
        varb = s2 / cxx;
        vara = varb * sxx / n;
    } else {
        varb = s2 / sxx;
    }

    const int dfrow = tableRow(df);
    const double t = ttable[std::size_t(level)][std::size_t(dfrow)];

    const double sda = std::sqrt(vara);
    const double sdb = std::sqrt(varb);
    const double da = t * sda;
    const double db = t * sdb;

    // Detection limit = t·(sd(a) + sd(b)·x̄) / q with q = b + Δb; a q that is not positive
    // (slope too small or negative) leaves it 0, which the display shows as undefined.
    const double q = b + t * sdb;
    const double dl = q > 0 ? t * (sda + sdb * sx / n) / q : 0;

    const double s = std::sqrt(s2);

    if (!allFinite({sx, sy,    sxx, sxy,  cxx,  cyy, cxy, d, a,  b, product,
                    r,  ssres, s2,  vara, varb, da,  db,  q, dl, s}))
        return std::nullopt;
    return Fit{a, b, da, db, s, r, dl, dfrow};
}

} // namespace calibrix
