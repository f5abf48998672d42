#pragma once

#include <array>
#include <optional>
#include <span>

namespace calibrix {

/// The calibration line: with intercept (MS = a + bC) or through the origin (MS = bC).
enum class Model { Intercept, Origin };

/// One least-squares fit: coefficients, confidence half-widths at the chosen level, residual
/// standard deviation, correlation coefficient, detection limit and the t-table row used.
struct Fit {
    double a, b, da, db, s, r, dl;
    int dfrow;
};

/// Two-sided critical values of Student's t, as ttable[level][row]. Levels 1, 2, 3 are 90, 95
/// and 99 %; rows 1 to 30 are the degrees of freedom, rows 31, 32, 33 stand for 40, 60 and 120.
/// Level 0 and row 0 are unused zeros.
extern const std::array<std::array<double, 34>, 4> ttable;

/// Fits the n = conc.size() points at confidence level 1..3; nullopt where no fit can be given
/// (fewer than 3 points, all concentrations equal, or any non-finite intermediate value).
std::optional<Fit> calibrate(std::span<const double> conc, std::span<const double> signal,
                             Model model, int level);

} // namespace calibrix
