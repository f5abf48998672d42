#pragma once

#include <cstddef>
#include <string_view>

namespace calibrix {

/// Whether a byte continues a multi-byte UTF-8 sequence (10xxxxxx) rather than starting a
/// character.
constexpr bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

/// Characters in a UTF-8 text, as a cell counts them: every byte that starts a character. A
/// stray continuation byte counts for nothing, as in a text cut in the middle of a character.
constexpr std::size_t utf8Length(std::string_view text) {
    std::size_t chars = 0;
    for (const char c : text)
        chars += isUtf8Continuation(c) ? 0 : 1;
    return chars;
}

/// The first `count` characters of a UTF-8 text, as a cell would keep them.
constexpr std::string_view utf8Prefix(std::string_view text, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isUtf8Continuation(text[i]) && chars++ == count)
            return text.substr(0, i);
    }
    return text;
}

} // namespace calibrix
