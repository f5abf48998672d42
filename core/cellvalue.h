#pragma once

#include <optional>
#include <string_view>

namespace calibrix {

/// The value of one cell text as parsenumber reads it, or nullopt when parsenumber rejects it.
std::optional<float> cellvalue(std::string_view text);

} // namespace calibrix
