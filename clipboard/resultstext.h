#pragma once

#include <span>
#include <string>

namespace calibrix {

/// One line of the copied results: its name ("Model", "Δa", "n") and its value as shown.
struct ResultLine {
    std::string name, value;
};

/// The results as text: name, tab, the value trimmed, CR LF after each line.
std::string resultsText(std::span<const ResultLine> lines);

/// The same as an HTML table of two columns, for word processors.
std::string resultsHtml(std::span<const ResultLine> lines);

} // namespace calibrix
