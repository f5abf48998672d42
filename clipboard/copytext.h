#pragma once

#include <span>
#include <string>
#include <string_view>

namespace calibrix {

/// The general-number text of a value, as copied: 15 significant digits with the given decimal
/// separator, or the shortest text that reads back as the same float where the first 12 characters
/// would not.
std::string generalNumber(double value, std::string_view decimalSeparator);

/// The shortest text of at most a cell's 12 characters that reads back as `value`; where no such
/// text holds it, the nearest one that fits, rounded in its last digit.
std::string cellNumber(float value, std::string_view decimalSeparator);

/// The copy text: C TAB MS CR LF for every point.
std::string copyText(std::span<const double> conc, std::span<const double> signal,
                     std::string_view decimalSeparator);

} // namespace calibrix
