#include "reports/excel_sheet_content.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

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

// The value as the report writes it, kept as the number that text shows so the
// sheet sums and charts what the report says. A spreadsheet number format with
// the same "0"/"#" picture shows the same text: ".5" under "#####.0", "-" before
// a negative value, no digits beyond 15 significant ones. The stored number is
// the rounded one, so the spreadsheet never rounds again. Two things differ and
// are written into the format as quoted texts: a point with no digit after it
// ("420.", "." for zero under "#####.#") is dropped by LibreOffice, and a
// negative value that rounds to zero is zero there, shown without its "-".
// A text that is no plain number ("inf") stays text.
void PutPictured(SheetCells& cells, int row, int column, double value, std::string picture) {
    std::string text = FormatWithPicture(value, picture);
    const bool negative = text.starts_with('-');
    const std::string_view magnitude = std::string_view(text).substr(negative ? 1 : 0);
    if (magnitude.find_first_not_of("0123456789.") != std::string_view::npos ||
        std::count(magnitude.begin(), magnitude.end(), '.') != 1)
        return Put(cells, row, column, std::move(text));
    // from_chars takes no lone "."; a zero after the point reads every text alike.
    const std::string digits = std::string(magnitude) + "0";
    double shown = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), shown);
    if (text.ends_with('.')) picture = picture.substr(0, picture.find('.')) + "\".\"";
    if (negative && shown == 0)
        picture.insert(0, "\"-\"");
    else if (negative)
        shown = -shown;
    cells[{row, column}] = ShownNumber{shown, std::move(picture)};
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
    PutPictured(cells, row, 6, segment.calculationLength, "#####.#");
    PutPictured(cells, row, 7, segment.flow * sign, "#####.0");
    PutPictured(cells, row, 8, segment.velocity * sign, "##0.##");
    PutPictured(cells, row, 9, segment.specificLoss * sign, "####0.#");
    PutPictured(cells, row, 10, segment.pressureDifference * sign / kPaPerKPa, "####0.##");
    PutPictured(cells, row, 11, node.supplyPressure / kPaPerKPa, "####0.0#");
    PutPictured(cells, row, 12, node.returnPressure / kPaPerKPa, "####0.0#");
    PutPictured(cells, row, 13, node.pressureDifference / kPaPerKPa, "####0.0#");
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
