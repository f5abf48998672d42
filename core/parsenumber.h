#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace calibrix {

/// Reads the UTF-8 text of one grid cell as a number. A rejected text returns 0 and sets
/// `dataerror` to -1; an accepted one returns the nearest float and leaves `dataerror` alone.
float parsenumber(std::string_view text, std::int16_t& dataerror);

/// Reads a text of any length by the same notation, as a whole; nullopt where the notation
/// rejects it or its value does not fit a float. For texts longer than a cell.
std::optional<float> parseWholeNumber(std::string_view text);

} // namespace calibrix
