#pragma once

#include <cstdint>
#include <string_view>

namespace calibrix {

/// Reads the UTF-8 text of one grid cell as a number. A rejected text returns 0 and sets
/// `dataerror` to -1; an accepted one returns the nearest float and leaves `dataerror` alone.
float parsenumber(std::string_view text, std::int16_t& dataerror);

} // namespace calibrix
