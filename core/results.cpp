#include "core/results.h"

#include <array>
#include <charconv>
#include <cmath>

namespace calibrix {

namespace {

const std::string zeroText = " 0 ";
const std::string undefinedText(undefinedResult);
// Δa, Δb and s beyond this are meaningless for a calibration and shown as undefined.
constexpr double largest = 1e10;

// Formats v with to_chars (locale-free, correctly rounded) and returns two blanks followed by
// the text, with the point replaced by the user's decimal separator and the exponent letter
// in upper case.
std::string pattern(double v, std::chars_format format, int decimals, std::string_view separator) {
    std::array<char, 64> buffer{};
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, format, decimals);
    if (ec != std::errc())
        return undefinedText;
    std::string text = "  ";
    for (const char* p = buffer.data(); p != end; ++p) {
        if (*p == '.')
            text += separator;
        else
            text += *p == 'e' ? 'E' : *p;
    }
    return text;
}

// "0.00000E+00": one digit, five decimals, signed exponent of at least two digits.
std::string scientific(double v, std::string_view separator) {
    return pattern(v, std::chars_format::scientific, 5, separator);
}

// N(v): scientific below 1 and from 1000 on, otherwise "##0.000000". The choice looks at v
// itself, so 999.9999999 stays fixed and shows as 1000.000000.
std::string numberText(double v, std::string_view separator) {
    if (!std::isfinite(v))
        return undefinedText;
    const double magnitude = std::abs(v);
    if (magnitude < 1 || magnitude >= 1000)
        return scientific(v, separator);
    return pattern(v, std::chars_format::fixed, 6, separator);
}

// A coefficient: " 0 " when exactly zero.
std::string coefficientText(double v, std::string_view separator) {
    return v == 0 ? zeroText : numberText(v, separator);
}

// A spread (Δa, Δb, s): " 0 " when exactly zero, undefined when absurdly large.
std::string spreadText(double v, std::string_view separator) {
    if (v > largest)
        return undefinedText;
    return coefficientText(v, separator);
}

} // namespace

std::string resultNumber(double v, std::string_view decimalSeparator) {
    return coefficientText(v, decimalSeparator);
}

// A detection limit means something only while the slope is significantly positive.
bool detectionLimitShown(const Fit& fit) {
    return fit.dl > 0 && fit.db < fit.b && std::isfinite(fit.dl);
}

ResultTexts resulttexts(const Fit& fit, Model model, std::string_view decimalSeparator) {
    const std::string_view sep = decimalSeparator;
    ResultTexts texts;
    texts.laba = coefficientText(fit.a, sep);
    texts.labb = coefficientText(fit.b, sep);
    texts.labda = spreadText(fit.da, sep);
    texts.labdb = spreadText(fit.db, sep);
    texts.labso = spreadText(fit.s, sep);
    texts.labnv = detectionLimitShown(fit) ? scientific(fit.dl, sep) : undefinedText;
    texts.labr = fit.r != 0 && std::isfinite(fit.r)
                     ? pattern(fit.r, std::chars_format::fixed, 5, sep)
                     : undefinedText;
    // The line through the origin has no intercept to show.
    if (model == Model::Origin) {
        texts.laba.clear();
        texts.labda.clear();
    }
    return texts;
}

} // namespace calibrix
