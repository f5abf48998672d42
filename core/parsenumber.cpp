#include "core/parsenumber.h"

#include "core/gridlimits.h"
#include "core/utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <system_error>

namespace calibrix {

namespace {

constexpr auto maxChars = std::size_t(cellChars);

// Anything at or above the midpoint between FLT_MAX and 2^128 rounds to infinity in single
// precision, so that is where "does not fit a float" begins.
constexpr double floatOverflow = 0x1.ffffffp+127;

bool isdigit(char c) {
    return c >= '0' && c <= '9';
}
bool isExponent(char c) {
    return c == 'E' || c == 'e';
}
bool isSign(char c) {
    return c == '+' || c == '-';
}
// Codes 43 to 57: + , - . / and the digits.
bool isNumberChar(char c) {
    return c >= '+' && c <= '9';
}

// The notation checks, on a text whose commas are already points and which is ASCII only.
bool passesChecks(std::string_view t) {
    const std::size_t n = t.size();
    if (std::count(t.begin(), t.end(), '.') > 1)
        return false;
    if (std::count_if(t.begin(), t.end(), isExponent) > 1)
        return false;
    for (char c : t) {
        if (c != ' ' && !isNumberChar(c) && !isExponent(c))
            return false;
    }
    if (n > 0 && isExponent(t[0]))
        return false;
    for (std::size_t p = 0; p < n; ++p) {
        const bool first = p == 0;
        const bool last = p + 1 == n;
        if (isExponent(t[p])) {
            if (!first && !isdigit(t[p - 1]))
                return false;
            if (!last && !isNumberChar(t[p + 1]))
                return false;
        } else if (isSign(t[p])) {
            if (!first && isdigit(t[p - 1]))
                return false;
            if (!last && !isdigit(t[p + 1]))
                return false;
        }
    }
    // A decimal point may not follow the exponent letter.
    const std::size_t point = t.rfind('.');
    const std::size_t exponent = t.find_last_of("Ee");
    return point == std::string_view::npos || exponent == std::string_view::npos ||
           point < exponent;
}

// Outcome of reading the leading number of a checked text.
struct Leading {
    bool fits = true; ///< false when the value exceeds a float's range
    float value = 0;
};

// Reads the leading number of `t` (blanks already removed): optional sign, digits with at most
// one point, then optionally an exponent letter, optional sign and digits. Whatever follows is
// ignored. The value is taken in double and rounded to the nearest float.
Leading readLeading(std::string_view t) {
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && isSign(t[i]))
        negative = t[i++] == '-';

    // Significant digits go into `digits` without leading zeros; `scale` is the power of ten
    // that turns 0.digits into the mantissa's value.
    std::string digits;
    long scale = 0;
    bool seenPoint = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (isdigit(c)) {
            if (digits.empty() && c == '0') {
                if (seenPoint)
                    --scale;
            } else {
                digits += c;
                if (!seenPoint)
                    ++scale;
            }
        } else {
            break;
        }
    }
    if (digits.empty())
        return {}; // no digit, or only zeros: the value is 0

    // An exponent counts only with at least one digit; its size saturates, since a few hundred
    // already leaves the range of a double.
    if (i < t.size() && isExponent(t[i])) {
        std::size_t j = i + 1;
        bool negExp = false;
        if (j < t.size() && isSign(t[j]))
            negExp = t[j++] == '-';
        long exponent = 0;
        for (; j < t.size() && isdigit(t[j]); ++j)
            exponent = std::min(exponent * 10 + (t[j] - '0'), 100000L);
        scale += negExp ? -exponent : exponent;
    }

    // The value lies in [10^(scale-1), 10^scale).
    if (scale > 40)
        return {false, 0};
    if (scale < -400)
        return {};

    // "0." digits "e" scale: a cell's text fits the fixed buffer, a longer one gets its own.
    std::array<char, 40> fixed{};
    std::string grown;
    std::span<char> buffer(fixed);
    if (digits.size() + 16 > fixed.size()) {
        grown.resize(digits.size() + 16);
        buffer = grown;
    }
    char* out = buffer.data();
    *out++ = '0';
    *out++ = '.';
    out = std::copy(digits.begin(), digits.end(), out);
    *out++ = 'e';
    out = std::to_chars(out, buffer.data() + buffer.size(), scale).ptr;

    double wide = 0;
    const auto [end, ec] = std::from_chars(buffer.data(), out, wide);
    if (ec == std::errc::result_out_of_range)
        return {}; // below the smallest subnormal double: 0
    if (ec != std::errc() || std::abs(wide) >= floatOverflow)
        return {false, 0};
    const float value = static_cast<float>(wide);
    // A zero keeps no sign, so that "-1E-50" reads as plain 0.
    return {true, value == 0 ? 0.0f : (negative ? -value : value)};
}

// The notation's checks and the conversion of an ASCII text; `work` has room for the text.
std::optional<float> checkAndRead(std::string_view text, std::span<char> work) {
    std::replace_copy(text.begin(), text.end(), work.begin(), ',', '.');
    const std::string_view checked(work.data(), text.size());
    if (!passesChecks(checked))
        return std::nullopt;
    // The checks are done, so the blanks can go in place.
    const auto end = std::remove(work.begin(), work.begin() + std::ptrdiff_t(text.size()), ' ');
    const Leading leading = readLeading({work.data(), std::size_t(end - work.begin())});
    if (!leading.fits)
        return std::nullopt;
    return leading.value;
}

bool isAscii(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

} // namespace

float parsenumber(std::string_view text, std::int16_t& dataerror) {
    // Any byte of a multi-byte character is outside the accepted set.
    std::optional<float> value;
    if (utf8Length(text) <= maxChars && isAscii(text)) {
        std::array<char, maxChars> buffer{};
        value = checkAndRead(text, buffer);
    }
    if (!value) {
        dataerror = -1;
        return 0.0f;
    }
    return *value;
}

std::optional<float> parseWholeNumber(std::string_view text) {
    if (!isAscii(text))
        return std::nullopt;
    std::string buffer(text.size(), '\0');
    return checkAndRead(text, buffer);
}

} // namespace calibrix
