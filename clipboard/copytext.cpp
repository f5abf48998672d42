#include "clipboard/copytext.h"

#include "core/cellvalue.h"
#include "core/gridlimits.h"
#include "core/utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace calibrix {

namespace {

// A finite non-zero value as sign, significant digits d1 d2 ... and the decimal exponent x of
// d1.d2... × 10^x; no trailing zeros in the digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Takes apart the output of std::to_chars in scientific format, such as "-1.25e-07".
Decimal decompose(std::string_view text) {
    Decimal d;
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    for (; text[i] != 'e'; ++i) {
        if (text[i] != '.')
            d.digits += text[i];
    }
    ++i; // 'e'
    const bool negExp = text[i] == '-';
    ++i; // the exponent always carries a sign
    std::from_chars(text.data() + i, text.data() + text.size(), d.exponent);
    if (negExp)
        d.exponent = -d.exponent;
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// The general number layout: positional from 1E-5 up to below 1E15, otherwise d.ddE±xx with
// at least two exponent digits.
std::string generalLayout(const Decimal& d, std::string_view separator) {
    std::string out = d.negative ? "-" : "";
    const auto digitCount = static_cast<int>(d.digits.size());
    if (d.exponent < -4 || d.exponent >= 15) {
        out += d.digits[0];
        if (digitCount > 1) {
            out += separator;
            out.append(d.digits, 1);
        }
        out += d.exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(d.exponent);
        if (magnitude < 10)
            out += '0';
        out += std::to_string(magnitude);
    } else if (d.exponent < 0) {
        out += '0';
        out += separator;
        out.append(std::size_t(-d.exponent - 1), '0');
        out += d.digits;
    } else {
        const int whole = d.exponent + 1;
        out.append(d.digits, 0, std::size_t(std::min(whole, digitCount)));
        if (whole >= digitCount) {
            out.append(std::size_t(whole - digitCount), '0');
        } else {
            out += separator;
            out.append(d.digits, std::size_t(whole));
        }
    }
    return out;
}

// Shorter spellings of the same digits, for when the general layout does not fit a cell: the
// exponent without leading zeros, with the point after any digit or left out (1234567E-36).
// A positive exponent carries its "+" where `plus` is set.
std::vector<std::string> compactLayouts(const Decimal& d, std::string_view separator, bool plus) {
    std::vector<std::string> out;
    const std::string sign = d.negative ? "-" : "";
    for (std::size_t before = 1; before <= d.digits.size(); ++before) {
        std::string text = sign + d.digits.substr(0, before);
        if (before < d.digits.size()) {
            text += separator;
            text.append(d.digits, before);
        }
        const int exponent = d.exponent - static_cast<int>(before - 1);
        text += plus && exponent >= 0 ? "E+" : "E";
        text += std::to_string(exponent);
        out.push_back(std::move(text));
    }
    return out;
}

// Whether a text, cut to a cell's length, reads back as exactly this float.
bool survivesCell(std::string_view text, float value) {
    const std::optional<float> back = cellvalue(utf8Prefix(text, std::size_t(cellChars)));
    return back == value;
}

} // namespace

std::string generalNumber(double value, std::string_view decimalSeparator) {
    if (!std::isfinite(value))
        return {}; // the parser never yields one; an empty cell is safer than "inf"
    if (value == 0)
        return "0"; // also for -0

    std::array<char, 64> buffer{};
    // 15 significant digits: one before the point and 14 after it.
    auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                             std::chars_format::scientific, 14)
                   .ptr;
    std::string general = generalLayout(
        decompose({buffer.data(), std::size_t(end - buffer.data())}), decimalSeparator);

    const auto single = static_cast<float>(value);
    if (!std::isfinite(single) || survivesCell(general, single))
        return general;
    // Otherwise a text of a cell's length, where one holds this float; a spreadsheet gets the
    // exact 15 digits where none does.
    std::string cell = cellNumber(single, decimalSeparator);
    return cellvalue(cell) == single ? cell : general;
}

std::string cellNumber(float value, std::string_view decimalSeparator) {
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        return "0";
    std::array<char, 64> buffer{};
    // The value rounded to `digits` significant digits, in the layouts that fit a cell, the
    // general one first. Each compact layout keeps the sign of its exponent where that still
    // fits (1E+13); the "+" goes only where the same layout fits without it alone
    // (3.4028235E38), so no number moves its point for a sign.
    const auto spellings = [&](int digits) {
        const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, digits - 1)
                             .ptr;
        const Decimal d = decompose({buffer.data(), std::size_t(end - buffer.data())});
        std::vector<std::string> out = {generalLayout(d, decimalSeparator)};
        const std::vector<std::string> withPlus = compactLayouts(d, decimalSeparator, true);
        const std::vector<std::string> without = compactLayouts(d, decimalSeparator, false);
        for (std::size_t i = 0; i < withPlus.size(); ++i) {
            out.push_back(withPlus[i]);
            out.push_back(without[i]);
        }
        std::erase_if(
            out, [](const std::string& text) { return utf8Length(text) > std::size_t(cellChars); });
        return out;
    };
    // The fewest digits that give this float back, from 1 to the 9 any float needs. The parser
    // rounds through double, so each text is read back rather than trusted.
    for (int digits = 1; digits <= 9; ++digits) {
        for (const std::string& text : spellings(digits)) {
            if (cellvalue(text) == value)
                return text;
        }
    }
    // No text of a cell's length holds this float: the most digits that fit, rounded.
    for (int digits = 9; digits >= 1; --digits) {
        const std::vector<std::string> texts = spellings(digits);
        if (!texts.empty())
            return texts.front();
    }
    return {};
}

std::string copyText(std::span<const double> conc, std::span<const double> signal,
                     std::string_view decimalSeparator) {
    std::string text;
    const std::size_t points = std::min(conc.size(), signal.size());
    for (std::size_t i = 0; i < points; ++i) {
        text += generalNumber(conc[i], decimalSeparator);
        text += '\t';
        text += generalNumber(signal[i], decimalSeparator);
        text += "\r\n";
    }
    return text;
}

} // namespace calibrix
