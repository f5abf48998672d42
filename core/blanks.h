#pragma once

#include <string_view>

namespace calibrix {

/// The text without the blanks before and after it, as a copied field is written.
constexpr std::string_view trimBlanks(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(' ') - start + 1);
}

} // namespace calibrix
