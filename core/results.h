#pragma once

#include "core/statistics.h"

#include <string>
#include <string_view>

namespace calibrix {

/// The seven result label texts: Laba, Labda, Labb, Labdb, Labnv, Labso and Labr.
struct ResultTexts {
    std::string laba, labda, labb, labdb, labnv, labso, labr;
};

/// The text of a result field for an undefined value.
inline constexpr std::string_view undefinedResult = " undefined ";

/// A value in the result fields' format: two blanks, then "0.00000E+00" below 1 and from 1000
/// on, "##0.000000" between; " 0 " for zero, " undefined " where not finite.
std::string resultNumber(double v, std::string_view decimalSeparator);

/// Whether the detection-limit field shows a value for this fit.
bool detectionLimitShown(const Fit& fit);

/// Formats a fit for the result labels, with the user's decimal separator.
ResultTexts resulttexts(const Fit& fit, Model model, std::string_view decimalSeparator);

} // namespace calibrix
