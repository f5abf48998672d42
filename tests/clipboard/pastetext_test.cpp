#include "clipboard/pastetext.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace calibrix {
namespace {

constexpr auto one = PasteKind::OneColumn;
constexpr auto two = PasteKind::TwoColumns;
constexpr auto tooMany = PasteKind::TooManyColumns;

struct PasteCase {
    const char* name;
    std::string text;
    PasteKind kind;
    std::string first = {};  // the cells of rows 1, 2, ... joined by '|'; their count is rowCount
    std::string second = {}; // likewise, for two columns
};

void PrintTo(const PasteCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<std::string> split(const std::string& cells) {
    std::vector<std::string> out;
    std::istringstream in(cells);
    for (std::string cell; std::getline(in, cell, '|');)
        out.push_back(cell);
    return out;
}

std::string repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// Lines "1\t10", "2\t20", ... with the given line end.
std::string numbered(int count, const std::string& end) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += std::to_string(i) + "\t" + std::to_string(10 * i) + end;
    return text;
}

std::string numbers(int count, int factor) {
    std::string cells;
    for (int i = 1; i <= count; ++i)
        cells += (i > 1 ? "|" : "") + std::to_string(factor * i);
    return cells;
}

class CutPasteText : public testing::TestWithParam<PasteCase> {};

// Every cell of both columns is compared, so rows past the pasted ones must be empty too.
TEST_P(CutPasteText, Decides) {
    const PasteCase& c = GetParam();
    const PasteData got = cutPasteText(c.text);
    const std::vector<std::string> first = split(c.first);
    const std::vector<std::string> second = split(c.second);
    EXPECT_EQ(got.kind, c.kind);
    EXPECT_EQ(got.rowCount, static_cast<int>(first.size()));
    for (std::size_t i = 0; i < got.first.size(); ++i) {
        EXPECT_EQ(got.first[i], i < first.size() ? first[i] : "") << "first, row " << i + 1;
        EXPECT_EQ(got.second[i], i < second.size() ? second[i] : "") << "second, row " << i + 1;
    }
}

std::string casename(const testing::TestParamInfo<PasteCase>& param) {
    return param.param.name;
}

const std::string tabs9 = repeat("\t", 9);

INSTANTIATE_TEST_SUITE_P(
    Layouts, CutPasteText,
    testing::Values(
        PasteCase{"TabsCrLf", "1\t10\r\n2\t22\r\n", two, "1|2", "10|22"},
        PasteCase{"Blanks", "   1 10  \r\n 2    22\t\r\n", two, "1|2", "10|22"},
        PasteCase{"LeadingTabColumnDropped", "\t1\t10\r\n\t2\t22", two, "1|2", "10|22"},
        PasteCase{"LfAlone", "1\t10\n2\t22\n", two, "1|2", "10|22"},
        PasteCase{"CrAlone", "1\t10\r2\t22\r", two, "1|2", "10|22"},
        PasteCase{"LfCrIsTwoLineEnds", "1\t10\n\r2\t22", two, "1|0|2", "10|0|22"},
        PasteCase{"EmptyLineIsZeroPoint", "1\t10\r\n\r\n2\t22\r\n", two, "1|0|2", "10|0|22"},
        PasteCase{"EmptyFirstLine", "\r\n1\t10", two, "0|1", "0|10"},
        PasteCase{"CellsKeptAsText", "C\tMS\r\n1,5\t2E-3\r\n\xC2\xB5g\t-5", two, "C|1,5|\xC2\xB5g",
                  "MS|2E-3|-5"},
        PasteCase{"ThirtyLines", numbered(30, "\r\n"), two, numbers(25, 1), numbers(25, 10)},
        PasteCase{"NothingReadAfterLine25", numbered(25, "\n") + "1" + tabs9 + "x", two,
                  numbers(25, 1), numbers(25, 10)},
        PasteCase{"OneColumn", "1\r\n2\r\n3\r\n", one, "1|2|3"},
        PasteCase{"ZeroFirstColumn", "0\t5\r\n-\t6", one, "5|6"},
        PasteCase{"EmptyAndDashColumnsDropped", "1\t\t10\r\n2\t-\t22\r\n3\t---\t33", two, "1|2|3",
                  "10|22|33"},
        PasteCase{"FourDashesAreText", "1\t----\t10\r\n2\t-\t22", tooMany},
        PasteCase{"LastDashColumnKept", "1\t10\t-\r\n2\t22\t--", tooMany},
        PasteCase{"LastZeroColumnKept", "5\t0\r\n6\t-", two, "5|6", "0|0"},
        PasteCase{"OnlyColumnOfZerosKept", "0\r\n---", one, "0|0"},
        PasteCase{"NinthColumn", "1" + repeat("\t", 8) + "x", two, "1", "x"},
        PasteCase{"TenthColumn", numbered(3, "\r\n") + "1" + tabs9 + "x", tooMany},
        PasteCase{"BlanksPastNinthColumn", "1" + tabs9 + "   \r\n2", one, "1|2"},
        PasteCase{"Empty", "", PasteKind::NoData},
        PasteCase{"SeparatorsOnly", " \t \r\n\n\t\r", PasteKind::NoData},
        PasteCase{"DataOnLine26", repeat("\n", 25) + "1\t2", PasteKind::NoData},
        PasteCase{"AllZeros", "0\t0\r\n-\t", PasteKind::Unrecognizable},
        PasteCase{"DataThenTwoDashColumns", "1\t-\t-\r\n2\t--\t-", PasteKind::Unrecognizable},
        // Dropping the first column leaves the last column of zeros where a zero column is
        // examined again, which would never end.
        PasteCase{"ZeroColumnsAroundData", "0\t5\t0", PasteKind::Unrecognizable}),
    casename);

// What a cut cell keeps: its first bytes, then the mark that keeps it from reading as a number.
std::string cutTo(const std::string& kept) {
    return kept + std::string(cutMark);
}
constexpr std::size_t keptBytes = pasteCellBytes - cutMark.size();

// Huge, odd or broken texts decide as their separators say; cells stay short.
INSTANTIATE_TEST_SUITE_P(
    Robustness, CutPasteText,
    testing::Values(
        PasteCase{"TenMegabytesOfLines", repeat("1.5\t2.5\r\n", 1'200'000), two,
                  repeat("1.5|", 24) + "1.5", repeat("2.5|", 24) + "2.5"},
        PasteCase{"TenMegabyteCell", std::string(10'000'000, 'x') + "\t7", two,
                  cutTo(std::string(keptBytes, 'x')), "7"},
        PasteCase{"TenMegabytesOfTabs", std::string(10'000'000, '\t') + "\r\n5", one, "0|5"},
        PasteCase{"TenMegabytesOfTabsThenText", std::string(10'000'000, '\t') + "5", tooMany},
        PasteCase{"HundredThousandBlanks", "1" + std::string(100'000, ' ') + "2", two, "1", "2"},
        PasteCase{"MegabyteOfZerosIsNoZero", std::string(1'000'000, '0') + "\t5", two,
                  cutTo(std::string(keptBytes, '0')), "5"},
        PasteCase{"MegabyteOfDashesIsNoDash", std::string(1'000'000, '-') + "\t5", two,
                  cutTo(std::string(keptBytes, '-')), "5"},
        PasteCase{"NulIsText", std::string("1\0\t\0", 4), two, std::string("1\0", 2),
                  std::string("\0", 1)},
        PasteCase{"InvalidUtf8IsText", "\xFF\xFE\t\x80\r\n\xC3", two, "\xFF\xFE|\xC3", "\x80|0"},
        PasteCase{"FitsWhole", std::string(pasteCellBytes, 'a'), one,
                  std::string(pasteCellBytes, 'a')},
        PasteCase{"CutBeforeSplitCharacter",
                  std::string(keptBytes - 1, 'a') + "\xC3\xA9"
                                                    "bbb",
                  one, cutTo(std::string(keptBytes - 1, 'a'))},
        PasteCase{"CutAfterWholeCharacter",
                  std::string(keptBytes - 2, 'a') + "\xC3\xA9"
                                                    "bbbb",
                  one, cutTo(std::string(keptBytes - 2, 'a') + "\xC3\xA9")}),
    casename);

} // namespace
} // namespace calibrix
