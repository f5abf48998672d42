#include "core/utf8.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string_view>

namespace calibrix {
namespace {

// Characters of one and of several bytes side by side: é (2 bytes), € (3), 𝄞 (4).
struct Row {
    std::string_view text;
    std::size_t length; // characters
    std::size_t cut;    // characters kept by utf8Prefix
    std::string_view prefix;
};

constexpr Row rows[] = {
    {"", 0, 3, ""},
    {"12.5", 4, 2, "12"},
    {"12.5", 4, 4, "12.5"},
    {"12.5", 4, 9, "12.5"},
    {"12.5", 4, 0, ""},
    {"été", 3, 1, "é"},
    {"été", 3, 2, "ét"},
    {"1€", 2, 1, "1"},
    {"𝄞5", 2, 1, "𝄞"},
    // A text cut inside a character (the tail of €, then "5"): the stray bytes count for
    // nothing and stay with the character after them.
    {"\x82\xac\x35", 1, 1, "\x82\xac\x35"},
    {"\x82\xac\x35\x36", 2, 1, "\x82\xac\x35"},
    // A lead byte without its tail still starts a character.
    {"\xe2\x35", 2, 1, "\xe2"},
};

TEST(Utf8, LengthAndPrefixCountCharactersNotBytes) {
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << "text of " << row.text.size() << " bytes, cut " << row.cut);
        EXPECT_EQ(utf8Length(row.text), row.length);
        EXPECT_EQ(utf8Prefix(row.text, row.cut), row.prefix);
        EXPECT_EQ(utf8Length(utf8Prefix(row.text, row.cut)), std::min(row.cut, row.length));
    }
}

TEST(Utf8, OnlyTenxxxxxxBytesContinue) {
    for (int byte = 0; byte < 256; ++byte) {
        const bool continues = byte >= 0x80 && byte < 0xC0;
        EXPECT_EQ(isUtf8Continuation(static_cast<char>(byte)), continues) << "byte " << byte;
    }
}

} // namespace
} // namespace calibrix
