#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace calibrix {

/// One sample row as the window shows it.
struct SampleLine {
    std::string name, ms, m, c, dc, note;
};

/// The copy of the samples: a header line, then every row that holds a name, an MS or an m,
/// each field trimmed, tab-separated, CR LF after each line.
std::string sampleCopyText(std::span<const SampleLine> rows);

/// Reads pasted sample lines (at most 25) of one to three tab-separated columns: name, MS, m;
/// a first column that is not a number is the name, else the columns are MS and m. Fills only
/// name, ms and m.
std::vector<SampleLine> cutSampleText(std::string_view text);

} // namespace calibrix
