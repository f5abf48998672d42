#pragma once

#include "core/statistics.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace calibrix {

/// The calibration the main window shows, as the samples read it: the fit, its model and
/// level, and its points.
struct Calibration {
    Fit fit;
    Model model = Model::Intercept;
    int level = 2;
    std::vector<double> conc, signal;
};

/// What the calibration says of one unknown sample.
struct SampleEstimate {
    std::optional<double> c;  ///< (MS − a)/b; nullopt where it cannot be given
    std::optional<double> dc; ///< the half-width of its confidence interval
    bool belowDL = false;     ///< the main window shows a detection limit and C is below it
    bool outside = false;     ///< C lies beyond the points' concentrations
};

/// Inverse prediction: the concentration of a sample whose signal `ms` is the mean of `m`
/// measurements, with its confidence half-width at the calibration's level. With the intercept
/// ΔC = t·(s/|b|)·√(1/m + 1/n + (MS − ȳ)²/(b²·Σ(Cᵢ − C̄)²)); through the origin
/// ΔC = t·(s/|b|)·√(1/m + MS²/(b²·ΣCᵢ²)). C and ΔC are each given only where finite.
SampleEstimate estimate(const Calibration& calibration, double ms, int m);

/// A sample row's replicate count: a whole number from 1 to 99, the empty text meaning 1;
/// nullopt for anything else.
std::optional<int> replicates(std::string_view text);

/// What a sample row shows, and the estimate behind it.
struct SampleTexts {
    std::string c, dc, note;
    std::optional<SampleEstimate> estimate; ///< where one was made
    double ms = 0;                          ///< the signal it was made for
};

/// The result texts of one sample row: empty for a row without MS or without a calibration;
/// "incorrect value" as the note alone for a bad MS or m; else C and ΔC in the results' number
/// format (" undefined " where not given) and the notes "below DL" and "outside C range".
SampleTexts sampletexts(std::string_view ms, std::string_view m,
                        const std::optional<Calibration>& calibration,
                        std::string_view decimalSeparator);

} // namespace calibrix
