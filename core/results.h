#pragma once

#include "core/statistics.h"

#include <string>
#include <string_view>

namespace calibrix {

/// The seven result label texts: Laba, Labda, Labb, Labdb, Labnv, Labso and Labr.
struct ResultTexts {
    std::string laba, labda, labb, labdb, labnv, labso, labr;
};

/// Formats a fit for the result labels, with the user's decimal separator.
ResultTexts resulttexts(const Fit& fit, Model model, std::string_view decimalSeparator);

} // namespace calibrix
