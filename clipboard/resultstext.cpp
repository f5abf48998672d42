#include "clipboard/resultstext.h"

#include "core/blanks.h"

#include <string_view>

namespace calibrix {

namespace {

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string resultsText(std::span<const ResultLine> lines) {
    std::string text;
    for (const ResultLine& line : lines) {
        text += line.name;
        text += '\t';
        text += trimBlanks(line.value);
        text += "\r\n";
    }
    return text;
}

std::string resultsHtml(std::span<const ResultLine> lines) {
    std::string html = "<meta charset=\"utf-8\"><table>";
    for (const ResultLine& line : lines)
        html += "<tr><td>" + escaped(line.name) + "</td><td>" + escaped(trimBlanks(line.value)) +
                "</td></tr>";
    return html + "</table>";
}

} // namespace calibrix
