#pragma once

// A second reading of a cell's number notation, for the parser tests, the parser fuzzer and the
// soak test to compare parsenumber against. It is written from the notation's grammar, not from
// the parser's checks: one regular expression decides what is accepted, a second one finds the
// leading number, and strtof, which rounds straight from decimal to float, gives the value.
//
// The grammar, on the text with its commas made points (at most 12 characters, all ASCII):
//   text      = mantissa | mantissa-ending-in-a-digit exponent-letter exponent
//   mantissa  = [ part "." ] last-part          at most one point, never after the letter
//   part      = separators, then words each followed by separators, then perhaps one word
//   word      = optional sign, digits           a sign never follows a digit
//   separator = blank | "/"
//   exponent  = like a last part without a point, not beginning with a blank
// A lone sign may end the text, since nothing follows it that could break the rules.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>

namespace calibrix::reference {

/// What a cell text means: rejected, or accepted with its value.
struct Reading {
    bool accepted = false;
    float value = 0;
};

namespace detail {

inline const std::regex& notation() {
    const std::string separator = "[ /]";
    const std::string word = "[+-]?[0-9]+";
    // Separators and words, ending in a separator or empty.
    const std::string body = separator + "*(?:" + word + separator + "+)*";
    const std::string beforePoint = body + "(?:" + word + ")?";
    const std::string last = body + "[+-]?[0-9]*"; // a word, a lone sign or nothing
    const std::string pointed = "(?:" + beforePoint + "\\.)?";
    const std::string exponent =
        "(?:/" + separator + "*)?(?:" + word + separator + "+)*" + "[+-]?[0-9]*";
    static const std::regex grammar("(?:" + pointed + last + ")|(?:" + pointed + body + word +
                                    "[Ee]" + exponent + ")");
    return grammar;
}

// Sign, digits with one point at most, then an exponent only if it has a digit.
inline const std::regex& leadingNumber() {
    static const std::regex leading("^([+-]?)([0-9]*(?:\\.[0-9]*)?)(?:[Ee]([+-]?[0-9]+))?");
    return leading;
}

} // namespace detail

/// Reads a text of any length by the notation. Values beyond a float's range are rejected like
/// any bad text.
inline Reading readWhole(std::string_view text) {
    const Reading rejected;
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 128; }))
        return rejected; // a character outside the notation
    std::string t(text);
    std::replace(t.begin(), t.end(), ',', '.');
    if (!std::regex_match(t, detail::notation()))
        return rejected;

    t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
    std::smatch number;
    std::regex_search(t, number, detail::leadingNumber());
    const std::string mantissa = number[2];
    if (mantissa.find_first_of("0123456789") == std::string::npos)
        return {true, 0.0f};
    std::string spelled = number[1].str() + mantissa;
    if (number[3].matched)
        spelled += "e" + number[3].str();
    const float value = std::strtof(spelled.c_str(), nullptr);
    if (!std::isfinite(value))
        return rejected;
    return {true, value};
}

/// Reads one cell text: at most 12 characters.
inline Reading readCell(std::string_view text) {
    return text.size() > 12 ? Reading{} : readWhole(text);
}

} // namespace calibrix::reference
