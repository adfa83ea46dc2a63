#pragma once

#include <string>
#include <string_view>

#include "app/table_editor/table_document.h"

namespace heatnet {

// A grid as a UTF-8 CSV file: a byte-order mark (so spreadsheets take the
// Chinese titles as UTF-8), a header row of the column titles, then the rows.
std::string GridCsv(const TableDocument& document, Grid grid);

// The data rows of a CSV file or pasted block: a byte-order mark and a header
// row are left out.
CellRows DataRows(std::string_view text);

}  // namespace heatnet
