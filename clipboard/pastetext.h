#pragma once

#include "core/gridlimits.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace calibrix {

/// What a paste does with the clipboard text.
enum class PasteKind { NoData, OneColumn, TwoColumns, TooManyColumns, Unrecognizable };

/// The cells a paste hands to the table; only OneColumn and TwoColumns carry any.
struct PasteData {
    PasteKind kind = PasteKind::NoData;
    int rowCount = 0; ///< rows that received a character
    /// The cell texts for rows 1..25 (index 0 = row 1); rows beyond rowCount are empty;
    /// `second` only for TwoColumns.
    std::array<std::string, maxPoints> first, second;
};

/// Bytes a pasted cell keeps at most: far more than the 12 characters a table cell shows. A
/// longer text is cut at a UTF-8 character boundary and ends in `cutMark`.
inline constexpr std::size_t pasteCellBytes = 48;

/// Ends a text that was cut short ("…"): no number holds it, so a cut text never reads as one.
inline constexpr std::string_view cutMark = "\xE2\x80\xA6";

/// Cuts clipboard text (UTF-8) into cells, fills empty and dash cells, drops zero columns and
/// decides.
PasteData cutPasteText(std::string_view text);

/// What a table cell receives of one pasted text: the text itself where it fits a cell; a
/// longer number as the shortest text of a cell's length with its value, in the text's own
/// decimal separator; anything else cut to a cell with `cutMark` at its end, so that the table
/// read reports it instead of reading its first characters as another number.
std::string cellText(std::string_view pasted);

/// Gives every cell of a fill the text a table cell receives of it (cellText).
void fitToCells(PasteData& data);

} // namespace calibrix
