#include "clipboard/pastetext.h"

#include "clipboard/copytext.h"
#include "core/gridlimits.h"
#include "core/parsenumber.h"
#include "core/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace calibrix {

namespace {

constexpr int gridRows = maxPoints;
constexpr int gridColumns = 9;

using Column = std::array<std::string, gridRows>;

// The text cut into cells, before empty cells are filled and zero columns dropped.
struct Grid {
    std::array<Column, gridColumns> columns;
    int rowCount = 0;     // last row that received a character
    int columnCount = 0;  // highest column that received a character
    bool tooMany = false; // a character fell into column 10 or beyond
};

constexpr std::uint64_t ones = 0x0101010101010101;
constexpr std::uint64_t highs = 0x8080808080808080;

// The high bit of each byte of `word` that equals `c`.
std::uint64_t bytesEqual(std::uint64_t word, char c) {
    const std::uint64_t diff = word ^ (ones * static_cast<unsigned char>(c));
    const std::uint64_t lows = ~highs;
    return ~(((diff & lows) + lows) | diff) & highs;
}

// Position of the first byte at or after `from` that is in `set` (inset false) or not in it
// (inset true), or the text's size. Long texts pass eight bytes at a time.
template <std::size_t N>
std::size_t scan(std::string_view text, std::size_t from, const std::array<char, N>& set,
                 bool inset) {
    const std::uint64_t skipMask = inset ? highs : 0;
    while (from + 8 <= text.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + from, 8);
        // Every byte of a set is below code 33, and most words hold no such byte.
        if (((word - ones * 33) & ~word & highs) == 0) {
            if (inset)
                break;
            from += 8;
            continue;
        }
        std::uint64_t found = 0;
        for (const char c : set)
            found |= bytesEqual(word, c);
        if (found != skipMask)
            break;
        from += 8;
    }
    for (; from < text.size(); ++from) {
        if ((std::find(set.begin(), set.end(), text[from]) != set.end()) != inset)
            return from;
    }
    return text.size();
}

constexpr std::array<char, 4> separators = {'\t', '\n', '\r', ' '};
constexpr std::array<char, 2> blanksAndTabs = {'\t', ' '};
constexpr std::array<char, 1> blanks = {' '};

// The first `limit` bytes of a cell's text, shortened so as not to split a UTF-8 character.
std::string_view keepBytes(std::string_view run, std::size_t limit) {
    if (run.size() <= limit)
        return run;
    std::size_t end = limit;
    while (end > limit - 3 && isUtf8Continuation(run[end]))
        --end;
    return run.substr(0, end);
}

// Tab moves one column on; a blank ends a cell only once the cell has content; CR, LF and
// CR LF each end a line. Every other byte belongs to the current cell, so a cell is one run of
// such bytes. Row and column stop counting just past the grid, where every position acts alike.
Grid cut(std::string_view text) {
    Grid grid;
    int row = 1;
    int column = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || (c == '\n' && (i == 0 || text[i - 1] != '\r'))) {
            // After line 25 nothing more can be stored or rejected: the rest does not matter.
            if (++row > gridRows)
                break;
            column = 1;
        } else if (c == '\n') {
            // the LF of a CR LF
        } else if (c == '\t') {
            if (++column > gridColumns) {
                // Past the grid tabs and blanks change nothing; only a line end or text counts.
                column = gridColumns + 1;
                i = scan(text, i + 1, blanksAndTabs, true) - 1;
            }
        } else if (c == ' ') {
            if (column > gridColumns)
                i = scan(text, i + 1, blanksAndTabs, true) - 1;
            else if (grid.columns[column - 1][row - 1].empty())
                i = scan(text, i + 1, blanks, true) - 1;
            else
                ++column;
        } else if (column > gridColumns) {
            grid.tooMany = true;
            return grid;
        } else {
            const std::size_t end = scan(text, i, separators, false);
            const std::string_view run = text.substr(i, end - i);
            std::string& cell = grid.columns[column - 1][row - 1];
            if (run.size() <= pasteCellBytes) {
                cell = run;
            } else {
                cell = keepBytes(run, pasteCellBytes - cutMark.size());
                cell += cutMark;
            }
            grid.rowCount = row;
            grid.columnCount = std::max(grid.columnCount, column);
            i = end - 1;
        }
    }
    return grid;
}

// Empty cells and cells of one to three dashes stand for zero.
void fillZeros(Grid& grid) {
    for (int col = 0; col < grid.columnCount; ++col) {
        for (int r = 0; r < grid.rowCount; ++r) {
            std::string& cell = grid.columns[col][r];
            if (cell.empty() || cell == "-" || cell == "--" || cell == "---")
                cell.assign(1, '0');
        }
    }
}

// Removes columns holding only "0", moving the columns to their right one place left; the last
// column is never removed itself, so it stays behind as a copy each time. Returns false when
// the columns from a zero column to the last are all zeros: the moving would never end.
bool dropZeroColumns(Grid& grid) {
    const int last = grid.columnCount;
    auto isZero = [&grid](int col) {
        const Column& cells = grid.columns[col];
        return std::all_of(cells.begin(), cells.begin() + grid.rowCount,
                           [](const std::string& cell) { return cell == "0"; });
    };
    for (int j = 0; j < last - 1; ++j) {
        while (isZero(j)) {
            bool restZero = true;
            for (int col = j + 1; col < last && restZero; ++col)
                restZero = isZero(col);
            if (restZero)
                return false;
            for (int col = j; col < last - 1; ++col) {
                for (int r = 0; r < grid.rowCount; ++r)
                    grid.columns[col][r] = grid.columns[col + 1][r];
            }
            --grid.columnCount;
        }
    }
    return true;
}

// A decision that hands on no cells.
PasteData only(PasteKind kind) {
    PasteData data;
    data.kind = kind;
    return data;
}

} // namespace

PasteData cutPasteText(std::string_view text) {
    Grid grid = cut(text);
    if (grid.tooMany)
        return only(PasteKind::TooManyColumns);
    fillZeros(grid);
    if (!dropZeroColumns(grid))
        return only(PasteKind::Unrecognizable);

    PasteData data;
    switch (grid.columnCount) {
    case 0:
        return only(PasteKind::NoData);
    case 1:
        data.kind = PasteKind::OneColumn;
        break;
    case 2:
        data.kind = PasteKind::TwoColumns;
        data.second = std::move(grid.columns[1]);
        break;
    default:
        return only(PasteKind::TooManyColumns);
    }
    data.rowCount = grid.rowCount;
    data.first = std::move(grid.columns[0]);
    return data;
}

std::string cellText(std::string_view pasted) {
    if (utf8Length(pasted) <= std::size_t(cellChars))
        return std::string(pasted);
    if (const std::optional<float> value = parseWholeNumber(pasted))
        return cellNumber(*value, pasted.find(',') != std::string_view::npos ? "," : ".");
    std::string cut(utf8Prefix(pasted, std::size_t(cellChars) - 1));
    cut += cutMark;
    return cut;
}

void fitToCells(PasteData& data) {
    for (auto* column : {&data.first, &data.second}) {
        for (std::string& cell : *column)
            cell = cellText(cell);
    }
}

} // namespace calibrix
