#include "app/table_editor/grid_edits.h"

#include <algorithm>

#include "data/number_text.h"

namespace heatnet {

RowEdit PasteEdit(const TableDocument& document, Grid grid, int row, int column, const CellRows& block) {
    const int count = document.RowCount(grid), columns = TableDocument::ColumnCount(grid);
    const int blockRows = static_cast<int>(block.size());
    RowEdit edit{row, std::min(count, row + blockRows), document.Rows(grid, row, std::min(count, row + blockRows))};
    edit.rows.resize(blockRows, std::vector<std::string>(columns));
    for (int line = 0; line < blockRows; ++line) {
        const auto& cells = block[line];
        for (int at = 0; at < static_cast<int>(cells.size()) && column + at < columns; ++at)
            edit.rows[line][column + at] = cells[at];
    }
    return edit;
}

RowEdit FillDownEdit(const TableDocument& document, Grid grid, int firstRow, int lastRow,
                     const std::vector<int>& columns) {
    RowEdit edit{firstRow, lastRow + 1, document.Rows(grid, firstRow, lastRow + 1)};
    for (auto& cells : edit.rows)
        for (const int column : columns) cells[column] = edit.rows.front()[column];
    return edit;
}

RowEdit MoveEdit(const TableDocument& document, Grid grid, int first, int last, int step) {
    if (first >= last || (step < 0 && first == 0) || (step > 0 && last >= document.RowCount(grid))) return {};
    const int from = step < 0 ? first - 1 : first, to = step < 0 ? last : last + 1;
    RowEdit edit{from, to, document.Rows(grid, from, to)};
    if (step < 0)
        std::rotate(edit.rows.begin(), edit.rows.begin() + 1, edit.rows.end());
    else
        std::rotate(edit.rows.begin(), edit.rows.end() - 1, edit.rows.end());
    return edit;
}

std::vector<NodePlace> PlacesOfNode(const NetworkTable& table, double node) {
    const auto is = [node](const std::string& text) {
        const std::optional<Number> number = ParseNumberField(text);
        return number && *number && **number == node;
    };
    std::vector<NodePlace> places;
    for (int row = 0; row < static_cast<int>(table.segments.size()); ++row)
        for (int column : {0, 1})
            if (is(table.segments[row][column])) places.push_back({Grid::kSegments, row, column});
    for (int row = 0; row < static_cast<int>(table.loads.size()); ++row)
        if (is(table.loads[row][0])) places.push_back({Grid::kLoads, row, 0});
    return places;
}

}  // namespace heatnet
