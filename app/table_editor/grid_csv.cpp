#include "app/table_editor/grid_csv.h"

#include "app/table_editor/table_grid_model.h"

namespace heatnet {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string GridCsv(const TableDocument& document, Grid grid) {
    CellRows rows = {{}};
    for (const QString& title : GridColumnTitles(grid)) rows.front().push_back(title.toStdString());
    CellRows values = document.Rows(grid, 0, document.RowCount(grid));
    rows.insert(rows.end(), std::make_move_iterator(values.begin()), std::make_move_iterator(values.end()));
    return std::string(kByteOrderMark) + CsvText(rows);
}

CellRows DataRows(std::string_view text) {
    CellRows rows = SplitPastedText(text);
    if (!rows.empty() && IsHeaderRow(rows.front())) rows.erase(rows.begin());
    return rows;
}

}  // namespace heatnet
