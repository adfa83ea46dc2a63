#pragma once

#include <map>
#include <string>
#include <utility>
#include <variant>

#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"
#include "reports/text_report.h"

namespace heatnet {

// A number with the spreadsheet number format it is shown with: 420 under
// "#####.#" shows "420.", as the report writes it.
struct ShownNumber {
    double value = 0;
    std::string format;
};

// A cell holds a number, a shown number or a text (UTF-8). An unset value from
// the data file gives no cell at all.
using SheetValue = std::variant<double, ShownNumber, std::string>;

// Cells by (row, column), both 1-based as the sheet counts them.
using SheetCells = std::map<std::pair<int, int>, SheetValue>;

// The workbook's segment table: the title in F1, the three head rows and one
// row per segment on the row of its list position, with the report's values and
// sign changes. Sequence numbers follow the same row order as the report.
SheetCells ExcelSheetContent(const NetworkModel& model, const StandardPipeTable& table,
                             const SegmentRowOrder& order);

}  // namespace heatnet
