#include "clipboard/copytext.h"
#include "clipboard/pastetext.h"
#include "core/parsenumber.h"

#include <bit>
#include <cctype>
#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace calibrix {
namespace {

constexpr float denormmin = std::numeric_limits<float>::denorm_min();

// The value of what a table cell keeps of a text, its first 12 characters (all ASCII here);
// NaN when the parser rejects them.
float readback(const std::string& text) {
    std::int16_t dataerror = 0;
    const float value = parsenumber(text.substr(0, 12), dataerror);
    return dataerror == 0 ? value : std::numeric_limits<float>::quiet_NaN();
}

struct Written {
    double value;
    const char* separator;
    const char* text;
};

void PrintTo(const Written& w, std::ostream* os) {
    *os << '"' << w.text << '"';
}

// A test name from the expected text and the row, such as "3_m3_5".
std::string writtenname(const testing::TestParamInfo<Written>& param) {
    std::string name = std::to_string(param.index) + "_";
    for (const char c : std::string(param.param.text))
        name += std::isalnum(static_cast<unsigned char>(c)) ? std::string(1, c)
                : c == '-'                                  ? "m"
                                                            : "_";
    return name;
}

class GeneralNumber : public testing::TestWithParam<Written> {};

TEST_P(GeneralNumber, Writes) {
    const Written& w = GetParam();
    EXPECT_EQ(generalNumber(w.value, w.separator), w.text) << std::hexfloat << w.value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralNumber,
    testing::Values(
        // Where the 15-digit text survives the 12-character cell, it is written.
        Written{1, ".", "1"}, Written{10, ".", "10"}, Written{-3.5f, ",", "-3,5"},
        Written{1.25f, ".", "1.25"}, Written{0.1f, ".", "0.100000001490116"},
        Written{0.1f, ",", "0,100000001490116"}, Written{2.3f, ".", "2.29999995231628"},
        Written{1.5e-3f, ".", "0.00150000001303852"}, Written{123456789012.0f, ".", "123456790528"},
        Written{1e15, ".", "1E+15"}, Written{0.0001, ".", "0.0001"}, Written{1e-5, ",", "1E-05"},
        Written{-0.0, ".", "0"}, Written{1e300, ".", "1E+300"},
        // Otherwise the shortest digits of the float, in the first layout that fits the cell.
        Written{1.5e-20f, ".", "1.5E-20"}, Written{1.5e-20f, ",", "1,5E-20"},
        Written{-1.234567e-30f, ",", "-1234567E-36"}, Written{-0.0001234567f, ",", "-1,234567E-4"},
        Written{-1.0002577e11f, ".", "-100.02577E9"}, Written{FLT_MAX, ".", "3.4028235E38"},
        Written{FLT_MIN, ".", "11754944E-45"}, Written{denormmin, ".", "1E-45"},
        // The exponent keeps its sign wherever the layout still fits with it.
        Written{1e13f, ".", "1E+13"}, Written{1e14f, ",", "1E+14"},
        Written{9.99e14f, ".", "9.99E+14"},
        // No text of 12 characters holds -FLT_MIN: a spreadsheet still gets the exact digits.
        Written{-FLT_MIN, ".", "-1.17549435082229E-38"},
        Written{std::numeric_limits<double>::infinity(), ".", ""}),
    writtenname);

TEST(CopyText, TabBetweenAndCrLfAfterEveryPoint) {
    EXPECT_EQ(copyText(std::vector<double>{1, 2}, std::vector<double>{10, 22}, "."),
              "1\t10\r\n2\t22\r\n");
    EXPECT_EQ(copyText(std::vector<double>{1.5f}, std::vector<double>{-3.5f}, ","),
              "1,5\t-3,5\r\n");
    EXPECT_EQ(copyText({}, {}, "."), "");
}

// Copy, paste, fit each cell to 12 characters and read it: every float comes back exactly.
TEST(CopyPaste, RoundTrip) {
    const std::vector<double> conc = {0.1f,  2.3f,    1.5e-20f,  -3.5f,   123456789012.0f, FLT_MAX,
                                      1e15f, FLT_MIN, denormmin, 1.5e-3f, 7.0f / 3.0f};
    const std::vector<double> signal = {-1.234567e-30f, -0.0001234567f, -9.87654e37f, 0, 1,   -2,
                                        2.3f,           0.1f,           1.5e-20f,     0, 4.5f};
    for (const char* separator : {".", ","}) {
        PasteData pasted = cutPasteText(copyText(conc, signal, separator));
        fitToCells(pasted);
        ASSERT_EQ(pasted.kind, PasteKind::TwoColumns);
        ASSERT_EQ(pasted.rowCount, static_cast<int>(conc.size()));
        for (std::size_t i = 0; i < conc.size(); ++i) {
            ASSERT_LE(pasted.first[i].size(), 12u) << pasted.first[i];
            ASSERT_LE(pasted.second[i].size(), 12u) << pasted.second[i];
            EXPECT_EQ(readback(pasted.first[i]), static_cast<float>(conc[i])) << pasted.first[i];
            EXPECT_EQ(readback(pasted.second[i]), static_cast<float>(signal[i]))
                << pasted.second[i];
        }
    }
}

struct Fitted {
    const char* pasted;
    const char* cell;
};

void PrintTo(const Fitted& f, std::ostream* os) {
    *os << '"' << f.pasted << '"';
}

class CellText : public testing::TestWithParam<Fitted> {};

TEST_P(CellText, Fits) {
    EXPECT_EQ(cellText(GetParam().pasted), GetParam().cell);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CellText,
    testing::Values(
        // What fits a cell stays as it is, number or not.
        Fitted{"1.5E-3", "1.5E-3"}, Fitted{"123456789012", "123456789012"}, Fitted{"abc", "abc"},
        // A longer number: the shortest text of its float, in its own decimal separator.
        Fitted{"1.23456790123457E-05", "1.2345679E-5"}, Fitted{"123456789012345", "1.2345679E14"},
        Fitted{"0,000012345678901", "1,2345679E-5"}, Fitted{"0.100000001490116", "0.1"},
        Fitted{"-0.00000000000000", "0"},
        Fitted{"1.0000000000000000000000000000000000000000001", "1"},
        // No 12 characters hold it: the nearest that fit.
        Fitted{"-1.17549435082229E-38", "-1175494E-44"},
        // Not a number as a whole, or too large for one: cut, and marked so.
        Fitted{"12345678901234a", "12345678901\u2026"},
        Fitted{"99999999999.5x", "99999999999\u2026"},
        Fitted{"1000000000000000000000000000000000000000", "10000000000\u2026"},
        Fitted{"\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5",
               "\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u2026"}));

// Long number texts of random floats, in every length printf gives: the cell's text reads back
// as the float the whole text names (strtod's, rounded to single precision).
TEST(CellText, LongNumbersKeepTheirValue) {
    std::mt19937 random(11);
    for (int i = 0; i < 20'000; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (!std::isfinite(value))
            continue;
        char text[40];
        std::snprintf(text, sizeof text, "%.*G", 12 + int(random() % 6), double(value));
        const float named = static_cast<float>(std::strtod(text, nullptr));
        const std::string cell = cellText(text);
        ASSERT_LE(cell.size(), 12u) << text;
        // Only a float no 12 characters hold may move, and then by its last digit alone.
        if (readback(cell) != named) {
            ASSERT_NEAR(readback(cell), named, std::abs(named) * 1e-6) << text << " -> " << cell;
        }
    }
}

// A random number text of at most 12 characters that the parser takes, as typed into a cell.
std::string randomcelltext(std::mt19937& random) {
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (;;) {
        std::string text = pick(0, 2) == 0 ? "-" : "";
        const int digits = pick(1, 10);
        const int point = pick(0, digits); // digits before the point; `digits` means none
        for (int i = 0; i < digits; ++i)
            text += (i == point ? "." : "") + std::to_string(pick(i == 0 ? 1 : 0, 9));
        if (pick(0, 3) != 0) {
            const int exponent = pick(-50, 40);
            text += (exponent < 0 ? "E-" : "E") + std::to_string(std::abs(exponent));
        }
        if (text.size() <= 12 && readback(text) != 0 && !std::isnan(readback(text)))
            return text;
    }
}

// Every float a cell can hold is copied as a text whose first 12 characters give it back.
TEST(CopyPaste, CellValuesSurviveTheCell) {
    std::mt19937 random(20240604);
    for (int i = 0; i < 200'000; ++i) {
        const std::string typed = randomcelltext(random);
        const float value = readback(typed);
        for (const char* separator : {".", ","}) {
            const std::string copied = generalNumber(value, separator);
            ASSERT_EQ(readback(copied), value) << "typed " << typed << ", copied " << copied;
        }
    }
}

// Over random float patterns and the edge magnitudes: the 15-digit text (printf's, in the C
// locale) is replaced only where it does not survive the cell, and only by a text of at most
// 12 characters that reads back exactly.
TEST(CopyPaste, ShortTextOnlyWhereFifteenDigitsFail) {
    std::vector<float> values = {FLT_MAX,    -FLT_MAX,       FLT_MIN, -FLT_MIN, denormmin,
                                 -denormmin, 1.1754942e-38f, 1e-40f,  -3e-42f};
    std::mt19937 random(7);
    for (int i = 0; i < 300'000; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (std::isfinite(value) && value != 0)
            values.push_back(value);
    }
    int shortened = 0, unsignedexponents = 0;
    for (const float value : values) {
        char general[40];
        std::snprintf(general, sizeof general, "%.15G", static_cast<double>(value));
        const std::string copied = generalNumber(value, ".");
        if (copied == general)
            continue;
        ++shortened;
        ASSERT_NE(readback(general), value) << general;
        ASSERT_LE(copied.size(), 12u) << copied;
        ASSERT_EQ(readback(copied), value) << copied << " for " << general;
        // A positive exponent goes without "+" only where the same text with it would not fit
        // the cell or read back.
        const std::size_t e = copied.find('E');
        if (e != std::string::npos && copied[e + 1] != '-' && copied[e + 1] != '+') {
            ++unsignedexponents;
            const std::string signedtext = copied.substr(0, e + 1) + "+" + copied.substr(e + 1);
            ASSERT_TRUE(signedtext.size() > 12 || readback(signedtext) != value)
                << copied << " could be " << signedtext;
        }
    }
    EXPECT_GT(shortened, 1000);      // most random patterns are huge or tiny
    EXPECT_GT(unsignedexponents, 0); // a few need every character of the cell
}

} // namespace
} // namespace calibrix
