#include "reports/excel_sheet_content.h"

#include <array>

#include "hydraulics/units.h"
#include "reports/format_picture.h"

namespace heatnet {
namespace {

constexpr int kFirstDataRow = 5;

struct HeadColumn {
    const char* name;
    const char* symbol;
    const char* unit;
};

// The unit texts differ in case from column to column; they are kept as the
// sheet has always shown them.
constexpr std::array<HeadColumn, 12> kHeads = {{
    {"起点", "I0", ""},
    {"终点", "J0", ""},
    {"管径", "D", "mm"},
    {"管段长度", "L", "m"},
    {"计算长度", "Lj", "m"},
    {"流量", "Q", "t/h"},
    {"流速", "W", "m/s"},
    {"比摩阻", "DP", "pa/m"},
    {"管段压降", "P", "kPa"},
    {"供水压力", "PG", "Kpa"},
    {"回水压力", "PH", "kPa"},
    {"供回水压差", "PG-PH", "KPa"},
}};

void Put(SheetCells& cells, int row, int column, const Number& value) {
    if (value)
        cells[{row, column}] = *value;
    else
        cells.erase({row, column});
}

void Put(SheetCells& cells, int row, int column, std::string text) {
    cells[{row, column}] = std::move(text);
}

void PutSegmentRow(const NetworkModel& model, const StandardPipeTable& table, int position,
                   int sequenceNumber, SheetCells& cells) {
    const NetworkSegment& segment = model.segments[position - 1];
    const int row = position + kFirstDataRow - 1;
    // Same reading direction as the report: from the upstream end, with the
    // pressures of the downstream node.
    const bool leavesSource = segment.indexI == model.sourceIndex;
    const double sign = leavesSource ? 1 : -1;
    const NetworkNode& node = model.nodes[leavesSource ? segment.indexJ : segment.indexI];
    Put(cells, row, 1, Number(sequenceNumber));
    Put(cells, row, 2, leavesSource ? segment.nodeI : segment.nodeJ);
    Put(cells, row, 3, leavesSource ? segment.nodeJ : segment.nodeI);
    Put(cells, row, 4, Number(table.Diameter(segment.sizeIndex)));
    Put(cells, row, 5, segment.length);
    Put(cells, row, 6, FormatWithPicture(segment.calculationLength, "#####.#"));
    Put(cells, row, 7, FormatWithPicture(segment.flow * sign, "#####.0"));
    Put(cells, row, 8, FormatWithPicture(segment.velocity * sign, "##0.##"));
    Put(cells, row, 9, FormatWithPicture(segment.specificLoss * sign, "####0.#"));
    Put(cells, row, 10,
        FormatWithPicture(segment.pressureDifference * sign / kPaPerKPa, "####0.##"));
    Put(cells, row, 11, FormatWithPicture(node.supplyPressure / kPaPerKPa, "####0.0#"));
    Put(cells, row, 12, FormatWithPicture(node.returnPressure / kPaPerKPa, "####0.0#"));
    Put(cells, row, 13, FormatWithPicture(node.pressureDifference / kPaPerKPa, "####0.0#"));
}

}  // namespace

SheetCells ExcelSheetContent(const NetworkModel& model, const StandardPipeTable& table,
                             const SegmentRowOrder& order) {
    SheetCells cells;
    Put(cells, 1, 6, "热水管网水力计算书");
    Put(cells, 2, 1, "序号");
    for (size_t c = 0; c < kHeads.size(); ++c) {
        const int column = static_cast<int>(c) + 2;
        Put(cells, 2, column, kHeads[c].name);
        Put(cells, 3, column, kHeads[c].symbol);
        Put(cells, 4, column, kHeads[c].unit);
    }
    // Every line stays on the row of its list position; only column A tells the
    // order, so node order and list order differ in sequence numbers alone.
    for (size_t r = 0; r < order.positions.size(); ++r)
        PutSegmentRow(model, table, order.positions[r], static_cast<int>(r) + 1, cells);
    return cells;
}

}  // namespace heatnet
