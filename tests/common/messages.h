#pragma once

// The texts of the program's message boxes, written here from the design once, so that every
// test compares against the same words and none of them takes the program's own.

#include <string>

namespace calibrix::testdata {

inline constexpr const char* badValueTitle = "incorrect value";
/// The bad-value box for one row.
inline std::string badPoint(int row) {
    return "Incorrect data. Please check the point \u2116 " + std::to_string(row);
}

inline constexpr const char* pasteTitle = "incorrect data";
inline constexpr const char* noData =
    " No data in the clipboard! Please select two columns and then click Paste. ";
inline constexpr const char* tooMany =
    " Probably you have copied too many columns! You can do it if only two of them are filled. ";
inline constexpr const char* unrecognizable = " Sorry, unrecognizable data ";

inline constexpr const char* questionTitle = " Select column";
inline constexpr const char* oneColumn =
    " Probably you have copied only one column! In what column do you want to paste it - column "
    "C (Yes) or column MS (No)? ";

} // namespace calibrix::testdata
