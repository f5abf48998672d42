#pragma once

// A second, deliberately plain reading of a cell's number notation, for the exhaustive parser
// test and the parser fuzzer to compare parsenumber against. It follows the rules one by one on
// a copy of the text and leaves the conversion to strtof, which rounds correctly from decimal
// straight to float; it shares no code with the parser.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

namespace calibrix::reference {

/// What a cell text means: rejected, or accepted with its value.
struct Reading {
    bool accepted = false;
    float value = 0;
};

namespace detail {

inline bool digit(char c) {
    return c >= '0' && c <= '9';
}
inline bool exponentletter(char c) {
    return c == 'E' || c == 'e';
}
inline bool sign(char c) {
    return c == '+' || c == '-';
}
// "+", ",", "-", ".", "/" and the digits: codes 43 to 57.
inline bool numberchar(char c) {
    return c >= 43 && c <= 57;
}

// The leading number of a text without blanks, spelled for strtof: sign, digits and one point,
// then an exponent only if it has a digit. Empty when the mantissa holds no digit.
inline std::string leadingnumber(std::string_view t) {
    std::string number;
    std::size_t i = 0;
    if (i < t.size() && sign(t[i]))
        number += t[i++];
    bool anydigit = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (digit(t[i])) {
            anydigit = true;
        } else if (t[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number += t[i];
    }
    if (!anydigit)
        return {};
    if (i < t.size() && exponentletter(t[i])) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < t.size() && sign(t[j]))
            exponent += t[j++];
        const std::size_t first = j;
        for (; j < t.size() && digit(t[j]); ++j)
            exponent += t[j];
        if (j > first)
            number += exponent;
    }
    return number;
}

} // namespace detail

/// Reads one cell text. Values beyond a float's range are rejected like any bad text.
inline Reading readCell(std::string_view text) {
    using namespace detail;
    const Reading rejected;

    // A byte outside ASCII belongs to a character outside the accepted set, so the length in
    // characters only matters for ASCII texts.
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 128; }))
        return rejected;
    if (text.size() > 12)
        return rejected;

    std::string t(text);
    std::replace(t.begin(), t.end(), ',', '.');
    if (std::count(t.begin(), t.end(), '.') > 1)
        return rejected;
    if (std::count_if(t.begin(), t.end(), exponentletter) > 1)
        return rejected;
    for (char c : t) {
        if (c != ' ' && !numberchar(c) && !exponentletter(c))
            return rejected;
    }
    const std::size_t n = t.size();
    if (n > 0 && exponentletter(t[0]))
        return rejected;
    for (std::size_t p = 0; p < n; ++p) {
        const bool hasbefore = p > 0;
        const bool hasafter = p + 1 < n;
        if (exponentletter(t[p])) {
            if (hasbefore && !digit(t[p - 1]))
                return rejected;
            if (hasafter && !numberchar(t[p + 1]))
                return rejected;
        }
        if (sign(t[p])) {
            if (hasbefore && digit(t[p - 1]))
                return rejected;
            if (hasafter && !digit(t[p + 1]))
                return rejected;
        }
    }
    // Positions counted from 1; no point is 0, no exponent letter is n + 1.
    std::size_t lastpoint = 0;
    std::size_t lastexponent = n + 1;
    for (std::size_t p = 1; p <= n; ++p) {
        if (t[p - 1] == '.')
            lastpoint = p;
        if (exponentletter(t[p - 1]))
            lastexponent = p;
    }
    if (lastpoint > lastexponent)
        return rejected;

    std::string compact;
    std::copy_if(t.begin(), t.end(), std::back_inserter(compact), [](char c) { return c != ' '; });
    const std::string number = leadingnumber(compact);
    if (number.empty())
        return {true, 0.0f};
    char* end = nullptr;
    const float value = std::strtof(number.c_str(), &end);
    if (end != number.c_str() + number.size())
        std::abort(); // the spelling above is always a whole strtof number
    if (!std::isfinite(value))
        return rejected;
    return {true, value};
}

} // namespace calibrix::reference
