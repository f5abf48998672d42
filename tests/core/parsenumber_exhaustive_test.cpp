// Every text of up to four characters over the notation's alphabet and two letters, compared
// with the reference reading written from the grammar: acceptance, value and flag. Each variant
// puts the short texts into a longer context, so that the 12-character limit and long digit runs
// are met too.

#include "core/parsenumber.h"
#include "tests/common/parsereference.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace calibrix {
namespace {

// Blank, "+", ",", "-", ".", "/", the digits, both exponent letters, a letter that is never
// accepted and "D", the exponent letter of other notations.
constexpr std::string_view alphabet = " +,-./0123456789EexD";
constexpr std::size_t maxlength = 4;

/// Calls `visit` with every text of 0 to maxlength characters over the alphabet.
template <class Visit> void everytext(Visit&& visit) {
    std::string text;
    std::vector<std::size_t> digits;
    for (std::size_t length = 0; length <= maxlength; ++length) {
        digits.assign(length, 0);
        for (;;) {
            text.clear();
            for (std::size_t d : digits)
                text += alphabet[d];
            visit(text);
            std::size_t pos = 0;
            while (pos < length && ++digits[pos] == alphabet.size())
                digits[pos++] = 0;
            if (pos == length)
                break;
        }
    }
}

struct Variant {
    const char* name;
    std::string (*wrap)(const std::string& text);
};

void PrintTo(const Variant& variant, std::ostream* os) {
    *os << variant.name;
}

// Leading characters up to a total length.
std::string padded(const std::string& text, char pad, std::size_t total) {
    return std::string(total - text.size(), pad) + text;
}

const Variant variants[] = {
    {"AsIs", [](const std::string& t) { return t; }},
    {"BlanksInFrontTo12", [](const std::string& t) { return padded(t, ' ', 12); }},
    {"BlanksInFrontTo13", [](const std::string& t) { return padded(t, ' ', 13); }},
    // Around the largest float, 3.40282347E+38: "34028235E31" still rounds down to it,
    // "34028236E31" no longer fits.
    {"FloatLimitInFront", [](const std::string& t) { return "3402823" + t; }},
    // Long digit runs, so that values need all of a float's precision.
    {"DigitsInFrontTo12",
     [](const std::string& t) { return std::string("123456789012").substr(0, 12 - t.size()) + t; }},
};

class ParseExhaustive : public testing::TestWithParam<Variant> {};

TEST_P(ParseExhaustive, AgreesWithReferenceReading) {
    const Variant& variant = GetParam();
    std::size_t texts = 0;
    std::vector<std::string> mismatches;
    everytext([&](const std::string& shorttext) {
        const std::string text = variant.wrap(shorttext);
        ++texts;
        const reference::Reading want = reference::readCell(text);
        for (std::int16_t before : {std::int16_t(1), std::int16_t(0)}) {
            std::int16_t dataerror = before;
            const float got = parsenumber(text, dataerror);
            const bool ok = want.accepted ? dataerror == before && got == want.value
                                          : dataerror == -1 && got == 0;
            if (!ok && mismatches.size() < 20) {
                char line[160];
                std::snprintf(line, sizeof line,
                              "\"%s\" (flag %d): got %.9g flag %d; reference %s %.9g", text.c_str(),
                              before, double(got), dataerror, want.accepted ? "accepts" : "rejects",
                              double(want.value));
                mismatches.emplace_back(line);
            }
        }
    });
    EXPECT_EQ(texts, 168421u); // 20^0 + 20^1 + ... + 20^4
    std::string report;
    for (const std::string& line : mismatches)
        report += line + '\n';
    EXPECT_TRUE(mismatches.empty()) << report;
}

INSTANTIATE_TEST_SUITE_P(AllShortTexts, ParseExhaustive, testing::ValuesIn(variants),
                         [](const testing::TestParamInfo<Variant>& row) {
                             return std::string(row.param.name);
                         });

// The reference itself, on texts whose meaning is known, so that agreeing with it means
// something.
struct Known {
    std::string_view text;
    bool accepted;
    float value;
};

void PrintTo(const Known& row, std::ostream* os) {
    *os << '"' << row.text << '"';
}

class ReferenceReading : public testing::TestWithParam<Known> {};

TEST_P(ReferenceReading, ReadsKnownTexts) {
    const Known& row = GetParam();
    const reference::Reading got = reference::readCell(row.text);
    EXPECT_EQ(got.accepted, row.accepted);
    EXPECT_EQ(got.value, row.value);
}

INSTANTIATE_TEST_SUITE_P(
    Notation, ReferenceReading,
    testing::Values(Known{"12,5", true, 12.5f}, Known{"1,5E-3", true, 0.0015f},
                    Known{"1 000", true, 1000.0f}, Known{"3 -2", true, 3.0f},
                    Known{"12/5E3", true, 12.0f}, Known{"-5E", true, -5.0f}, Known{".", true, 0.0f},
                    Known{"", true, 0.0f}, Known{"123456789012", true, 123456790528.0f},
                    Known{"1E-50", true, 0.0f}, Known{"1234567890123", false, 0},
                    Known{"1,2.3", false, 0}, Known{"1e2E3", false, 0}, Known{"e", false, 0},
                    Known{"1D5", false, 0}, Known{"1+2", false, 0}, Known{"- 5", false, 0},
                    Known{"1 E5", false, 0}, Known{"1E 5", false, 0}, Known{"1E,5", false, 0},
                    Known{"1E39", false, 0}, Known{"-4E38", false, 0},
                    Known{"\xc2\xb5", false, 0}));

} // namespace
} // namespace calibrix
