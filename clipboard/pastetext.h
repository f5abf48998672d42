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

/// Bytes a pasted cell keeps at most: far more than the 12 characters a table cell shows, so
/// that the cut is the cell's own, and cut at a UTF-8 character boundary.
inline constexpr std::size_t pasteCellBytes = 48;

/// Cuts clipboard text (UTF-8) into cells, fills empty and dash cells, drops zero columns and
/// decides.
PasteData cutPasteText(std::string_view text);

} // namespace calibrix
