#include "core/parsenumber.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace calibrix {
namespace {

struct Accepted {
    std::string_view text;
    float value;
};

void PrintTo(const Accepted& row, std::ostream* os) {
    *os << '"' << row.text << "\" -> " << row.value;
}

class ParseAccepted : public testing::TestWithParam<Accepted> {};

TEST_P(ParseAccepted, ReturnsNearestFloatAndLeavesFlag) {
    const Accepted& row = GetParam();
    for (std::int16_t before : {std::int16_t(1), std::int16_t(0), std::int16_t(-1)}) {
        std::int16_t dataerror = before;
        const float value = parsenumber(row.text, dataerror);
        EXPECT_EQ(value, row.value) << '"' << row.text << '"';
        EXPECT_FALSE(std::signbit(value) && value == 0) << '"' << row.text << "\" gave -0";
        EXPECT_EQ(dataerror, before) << '"' << row.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    Notation, ParseAccepted,
    testing::Values(Accepted{"12.5", 12.5f}, Accepted{"12,5", 12.5f}, Accepted{"-3", -3.0f},
                    Accepted{"+3", 3.0f}, Accepted{"1e5", 1e5f}, Accepted{"1E5", 1e5f},
                    Accepted{"1E+05", 1e5f}, Accepted{"1,5E-3", 0.0015f}, Accepted{"0.1", 0.1f},
                    Accepted{".5", 0.5f}, Accepted{"5.", 5.0f}, Accepted{"", 0.0f},
                    Accepted{" ", 0.0f}, Accepted{"-", 0.0f}, Accepted{"+", 0.0f},
                    Accepted{".", 0.0f}, Accepted{"1 000", 1000.0f}, Accepted{"3 -2", 3.0f},
                    Accepted{"1/2", 1.0f}, Accepted{"12/5E3", 12.0f}, Accepted{"1E", 1.0f},
                    Accepted{"1E+", 1.0f}, Accepted{"-5E", -5.0f},
                    Accepted{"123456789012", 123456790528.0f}));

INSTANTIATE_TEST_SUITE_P(Blanks, ParseAccepted,
                         testing::Values(Accepted{" -5", -5.0f}, Accepted{"  7  ", 7.0f},
                                         Accepted{"5 5", 55.0f}, Accepted{"1.2 3", 1.23f},
                                         Accepted{"1 2 3 4 5 6", 123456.0f}));

INSTANTIATE_TEST_SUITE_P(
    Conversion, ParseAccepted,
    testing::Values(
        // Reading stops at the first character that does not fit the leading number.
        Accepted{"1E/5", 1.0f}, Accepted{"1.5E3/", 1500.0f}, Accepted{"/5", 0.0f},
        Accepted{"1E-", 1.0f},
        // Leading zeros and long exponents.
        Accepted{"0000000001E5", 1e5f}, Accepted{"1E0000000005", 1e5f},
        Accepted{"0.0000000001", 1e-10f}, Accepted{"0E999999999", 0.0f}, Accepted{"-0", 0.0f},
        Accepted{"-0.000", 0.0f},
        // Underflow: subnormal floats, then zero, never with a sign.
        Accepted{"1E-45", std::numeric_limits<float>::denorm_min()}, Accepted{"1E-39", 1e-39f},
        Accepted{"1E-50", 0.0f}, Accepted{"-1E-50", 0.0f}, Accepted{"1E-400", 0.0f},
        Accepted{"1E-99999999", 0.0f},
        // The top of the float range still fits.
        Accepted{"3.4E38", 3.4e38f}, Accepted{"-3.4E38", -3.4e38f},
        Accepted{"3.4028235E38", std::numeric_limits<float>::max()}));

class ParseRejected : public testing::TestWithParam<std::string_view> {};

TEST_P(ParseRejected, ReturnsZeroAndSetsFlag) {
    for (std::int16_t before : {std::int16_t(1), std::int16_t(0)}) {
        std::int16_t dataerror = before;
        EXPECT_EQ(parsenumber(GetParam(), dataerror), 0.0f) << '"' << GetParam() << '"';
        EXPECT_EQ(dataerror, -1) << '"' << GetParam() << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(Length, ParseRejected,
                         testing::Values("1234567890123", "            0", "1 2 3 4 5 6 7"));

INSTANTIATE_TEST_SUITE_P(Counts, ParseRejected,
                         testing::Values("1.2.3", "1,2.3", "1,,2", "1E5E", "1e2E3", "1e2e"));

INSTANTIATE_TEST_SUITE_P(Characters, ParseRejected,
                         testing::Values("1a", "abc", "1*2", "1;2", "1D5", "\t5", "5\n",
                                         std::string_view("5\0", 2), "1\xC2\xB5",
                                         "\xEF\xBC\x91" /* fullwidth 1 */,
                                         "1\xE2\x80\xAF"
                                         "000"));

INSTANTIATE_TEST_SUITE_P(FirstCharacter, ParseRejected, testing::Values("E5", "e", "e+1"));

INSTANTIATE_TEST_SUITE_P(Neighbours, ParseRejected,
                         testing::Values(
                             // A sign after a digit.
                             "5-", "1-2", "1+2", "1E5-",
                             // A sign not followed by a digit.
                             "--5", "+-5", "-.5", "- 5", "1E- 5", "-E5",
                             // An exponent letter not after a digit, or followed by a blank.
                             "1.E5", "1 E5", ".E5", "-e5", "1E 5"));

INSTANTIATE_TEST_SUITE_P(PointAfterExponent, ParseRejected,
                         testing::Values("1E.5", "1E,5", "1E5.", "1E+5,0"));

// Texts that pass every check but whose value does not fit a float.
INSTANTIATE_TEST_SUITE_P(Overflow, ParseRejected,
                         testing::Values("1E39", "1E999", "-4E38", "3.5E38", "1e5 55", "1E99999999",
                                         "99999E99999"));

// Values are computed with in double: a float widened, not the decimal text.
TEST(ParseNumber, HoldsSinglePrecisionValues) {
    auto held = [](std::string_view text) {
        std::int16_t dataerror = 1;
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.15g", double(parsenumber(text, dataerror)));
        return std::string(digits);
    };
    EXPECT_EQ(held("1,5E-3"), "0.00150000001303852");
    EXPECT_EQ(held("0.1"), "0.100000001490116");
}

} // namespace
} // namespace calibrix
