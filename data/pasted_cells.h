#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace heatnet {

using CellRows = std::vector<std::vector<std::string>>;

// A block of text copied from a spreadsheet or a CSV file, split into rows of
// cells: tab-separated when any line holds a tab, else semicolon-separated when
// any line holds a semicolon, else comma-separated. Quoted cells ("a,b", with ""
// for a quote) are taken whole; CR LF, LF and CR end rows; a last empty line is
// no row. Cells keep their text, blanks around them removed.
CellRows SplitPastedText(std::string_view text);

// Whether a row is a header rather than data: it holds a non-empty cell that is
// not a number (so "起点编号", "from" or "Node" mark a header, "1" or "" do not).
bool IsHeaderRow(const std::vector<std::string>& row);

// Rows as tab-separated text, one line each, ending with a line break (what a
// spreadsheet takes from the clipboard).
std::string TabSeparatedText(const CellRows& rows);
// Rows as UTF-8 CSV: cells holding a comma, a quote or a line break quoted, CR LF line ends.
std::string CsvText(const CellRows& rows);

}  // namespace heatnet
