// Feeds arbitrary bytes to the clipboard cutter as pasted text. Whatever the text, the cutter
// returns a consistent decision: at most 25 rows and 9 columns, no separator inside a cell, one
// or two filled columns for a fill and no cells otherwise. Beyond those invariants it must agree
// with a plain character-by-character cutter written here, which the cutter's word-at-a-time
// scanning has to reproduce.

#include "clipboard/pastetext.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using calibrix::PasteData;
using calibrix::PasteKind;

// The reference keeps its own grid size rather than the cutter's, so that it checks the limit too.
constexpr int rows = 25;
constexpr int columns = 9;

struct Reference {
    PasteKind kind = PasteKind::NoData;
    int rowCount = 0;
    std::array<std::array<std::string, rows>, 2> cells; // the first two columns
};

Reference only(PasteKind kind) {
    Reference out;
    out.kind = kind;
    return out;
}

// One character at a time: tab moves a column on, a blank ends a cell that has content, CR, LF
// and CR LF end a line, and every other character goes into the current cell.
Reference referenceCut(std::string_view text) {
    std::array<std::array<std::string, rows>, columns> grid;
    int row = 1;
    int column = 1;
    int rowCount = 0;
    int columnCount = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            ++row;
            column = 1;
        } else if (c == '\n') {
            if (i == 0 || text[i - 1] != '\r') {
                ++row;
                column = 1;
            }
        } else if (c == '\t') {
            ++column;
        } else if (c == ' ') {
            if (row <= rows && column <= columns && !grid[column - 1][row - 1].empty())
                ++column;
        } else {
            if (row > rows)
                break;
            if (column > columns)
                return only(PasteKind::TooManyColumns);
            grid[column - 1][row - 1] += c;
            rowCount = row;
            columnCount = std::max(columnCount, column);
        }
    }

    for (int j = 0; j < columnCount; ++j) {
        for (int r = 0; r < rowCount; ++r) {
            std::string& cell = grid[j][r];
            if (cell.empty() || cell == "-" || cell == "--" || cell == "---")
                cell = "0";
        }
    }

    const int last = columnCount;
    auto zero = [&](int j) {
        for (int r = 0; r < rowCount; ++r) {
            if (grid[j][r] != "0")
                return false;
        }
        return true;
    };
    for (int j = 0; j < last - 1; ++j) {
        while (zero(j)) {
            bool allZero = true;
            for (int k = j; k < last; ++k)
                allZero = allZero && zero(k);
            if (allZero)
                return only(PasteKind::Unrecognizable);
            for (int k = j; k + 1 < last; ++k)
                grid[k] = grid[k + 1];
            --columnCount;
        }
    }

    Reference out;
    switch (columnCount) {
    case 0:
        return out;
    case 1:
        out.kind = PasteKind::OneColumn;
        break;
    case 2:
        out.kind = PasteKind::TwoColumns;
        break;
    default:
        return only(PasteKind::TooManyColumns);
    }
    out.rowCount = rowCount;
    out.cells[0] = grid[0];
    if (columnCount == 2)
        out.cells[1] = grid[1];
    return out;
}

[[noreturn]] void fail(const char* what, int row = 0) {
    std::fprintf(stderr, "cutPasteText: %s (row %d)\n", what, row);
    std::abort();
}

void checkCells(const std::array<std::string, rows>& got, const std::array<std::string, rows>& want,
                int rowCount, bool filled) {
    for (int r = 0; r < rows; ++r) {
        const std::string& cell = got[std::size_t(r)];
        if (cell.find_first_of("\t\r\n") != std::string::npos)
            fail("a cell holds a tab, CR or LF", r + 1);
        if (r >= rowCount || !filled) {
            if (!cell.empty())
                fail("a cell outside the fill holds text", r + 1);
            continue;
        }
        if (cell.empty())
            fail("an empty cell inside the fill", r + 1);
        // A long cell is cut short and marked, but only ever to a prefix of its text that keeps
        // at least all but the last partial UTF-8 character of the room the mark leaves.
        const std::string& full = want[std::size_t(r)];
        std::string_view kept = cell;
        if (full.size() > calibrix::pasteCellBytes) {
            if (!kept.ends_with(calibrix::cutMark))
                fail("a cut cell lacks the mark", r + 1);
            kept.remove_suffix(calibrix::cutMark.size());
        }
        if (cell.size() > calibrix::pasteCellBytes || full.compare(0, kept.size(), kept) != 0)
            fail("cell differs from the reference", r + 1);
        if (kept.size() <
            std::min(full.size(), calibrix::pasteCellBytes - calibrix::cutMark.size() - 3))
            fail("cell cut too short", r + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PasteData got = calibrix::cutPasteText(text);
    const Reference want = referenceCut(text);

    if (got.kind != want.kind)
        fail("kind differs from the reference");
    const bool fill = got.kind == PasteKind::OneColumn || got.kind == PasteKind::TwoColumns;
    if (fill ? (got.rowCount < 1 || got.rowCount > rows) : got.rowCount != 0)
        fail("row count out of range", got.rowCount);
    if (got.rowCount != want.rowCount)
        fail("row count differs from the reference", got.rowCount);
    checkCells(got.first, want.cells[0], got.rowCount, fill);
    checkCells(got.second, want.cells[1], got.rowCount, got.kind == PasteKind::TwoColumns);
    return 0;
}
