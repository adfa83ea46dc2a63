#pragma once

#include <vector>

#include "app/table_editor/table_document.h"

namespace heatnet {

// What an edit of a grid makes of its rows [first, last): the rows put in their
// place (as many or more, or fewer).
struct RowEdit {
    int first = 0;
    int last = 0;
    CellRows rows;
};

// A block pasted with its top left cell at (row, column): each line fills the
// row's cells from `column` on (cells beyond the grid's last column are left
// out); lines past the last row become new rows.
RowEdit PasteEdit(const TableDocument& document, Grid grid, int row, int column, const CellRows& block);

// Rows [firstRow, lastRow] get the values of firstRow in the given columns.
RowEdit FillDownEdit(const TableDocument& document, Grid grid, int firstRow, int lastRow,
                     const std::vector<int>& columns);

// Rows [first, last) moved one place up (step -1) or down (+1); an empty edit
// (first == last) when they are at the edge already.
RowEdit MoveEdit(const TableDocument& document, Grid grid, int first, int last, int step);

// A place where a node number appears: a segment's end or a load record.
struct NodePlace {
    Grid grid;
    int row;
    int column;
};
std::vector<NodePlace> PlacesOfNode(const NetworkTable& table, double node);

}  // namespace heatnet
