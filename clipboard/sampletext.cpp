#include "clipboard/sampletext.h"

#include "core/blanks.h"
#include "core/cellvalue.h"
#include "core/gridlimits.h"

namespace calibrix {

namespace {

// The line's fields between tabs, trimmed.
std::vector<std::string> fields(std::string_view line) {
    std::vector<std::string> out;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        out.emplace_back(trimBlanks(line.substr(start, tab - start)));
        if (tab == std::string_view::npos)
            return out;
        start = tab + 1;
    }
}

} // namespace

std::string sampleCopyText(std::span<const SampleLine> rows) {
    std::string text = "Sample\tMS\tm\tC\t\xCE\x94"
                       "C\tNote\r\n";
    for (const SampleLine& row : rows) {
        if (trimBlanks(row.name).empty() && trimBlanks(row.ms).empty() && trimBlanks(row.m).empty())
            continue;
        for (const std::string* field : {&row.name, &row.ms, &row.m, &row.c, &row.dc}) {
            text += trimBlanks(*field);
            text += '\t';
        }
        text += trimBlanks(row.note);
        text += "\r\n";
    }
    return text;
}

std::vector<SampleLine> cutSampleText(std::string_view text) {
    std::vector<SampleLine> rows;
    std::size_t start = 0;
    while (start < text.size() && rows.size() < std::size_t(maxPoints)) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::vector<std::string> f = fields(text.substr(start, end - start));
        // CR LF ends one line, as does CR or LF alone.
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        SampleLine row;
        const bool named = !f[0].empty() && !cellvalue(f[0]);
        std::size_t i = named ? 1 : 0;
        if (named)
            row.name = f[0];
        if (i < f.size())
            row.ms = f[i++];
        if (i < f.size())
            row.m = f[i];
        // A header line of the program's own copy is no sample.
        if (row.name == "Sample" && row.ms == "MS")
            continue;
        rows.push_back(std::move(row));
    }
    // Empty lines at the end add nothing.
    while (!rows.empty() && rows.back().name.empty() && rows.back().ms.empty() &&
           rows.back().m.empty())
        rows.pop_back();
    return rows;
}

} // namespace calibrix
