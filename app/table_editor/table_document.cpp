#include "app/table_editor/table_document.h"

#include <algorithm>

namespace heatnet {
namespace {

template <typename Row>
CellRows CellsOf(const std::vector<Row>& rows, int first, int last) {
    CellRows cells;
    cells.reserve(std::max(0, last - first));
    for (int row = first; row < last; ++row) cells.emplace_back(rows[row].begin(), rows[row].end());
    return cells;
}

// Cells beyond the row's width are dropped and missing ones left empty, so a
// short or long pasted line never shifts what follows it.
template <typename Row>
Row RowOf(const std::vector<std::string>& cells) {
    Row row;
    std::copy_n(cells.begin(), std::min(cells.size(), row.size()), row.begin());
    return row;
}

template <typename Row>
void Splice(std::vector<Row>& rows, int first, int removed, const CellRows& cells) {
    std::vector<Row> inserted;
    inserted.reserve(cells.size());
    for (const auto& cellsOfRow : cells) inserted.push_back(RowOf<Row>(cellsOfRow));
    const auto at = rows.erase(rows.begin() + first, rows.begin() + first + removed);
    rows.insert(at, inserted.begin(), inserted.end());
}

long long CellKey(Grid grid, int row, int column) {
    return (static_cast<long long>(grid) << 48) | (static_cast<long long>(row) << 16) | column;
}

// One edit of the person: the rows it took away and those it put in their place.
class ReplaceRowsCommand : public QUndoCommand {
public:
    ReplaceRowsCommand(TableDocument& document, Grid grid, int first, CellRows removed, CellRows inserted,
                       const QString& what)
        : QUndoCommand(what), document_(document), grid_(grid), first_(first), removed_(std::move(removed)),
          inserted_(std::move(inserted)) {}
    void redo() override { document_.Apply(grid_, first_, static_cast<int>(removed_.size()), inserted_); }
    void undo() override { document_.Apply(grid_, first_, static_cast<int>(inserted_.size()), removed_); }

private:
    TableDocument& document_;
    Grid grid_;
    int first_;
    CellRows removed_, inserted_;
};

}  // namespace

TableDocument::TableDocument(NetworkTable table, std::string path, QObject* parent)
    : QObject(parent), table_(std::move(table)), path_(std::move(path)) {
    Recheck();
}

int TableDocument::RowCount(Grid grid) const {
    switch (grid) {
    case Grid::kBasic: return 1;
    case Grid::kSegments: return static_cast<int>(table_.segments.size());
    case Grid::kLoads: return static_cast<int>(table_.loads.size());
    }
    return 0;
}

int TableDocument::ColumnCount(Grid grid) {
    switch (grid) {
    case Grid::kBasic: return NetworkTable::kBasicValues;
    case Grid::kSegments: return static_cast<int>(std::tuple_size_v<NetworkTable::SegmentRow>);
    case Grid::kLoads: return static_cast<int>(std::tuple_size_v<NetworkTable::LoadRow>);
    }
    return 0;
}

const std::string& TableDocument::Cell(Grid grid, int row, int column) const {
    switch (grid) {
    case Grid::kBasic: return table_.basic[column];
    case Grid::kSegments: return table_.segments[row][column];
    case Grid::kLoads: break;
    }
    return table_.loads[row][column];
}

CellRows TableDocument::Rows(Grid grid, int first, int last) const {
    switch (grid) {
    case Grid::kBasic: return {std::vector<std::string>(table_.basic.begin(), table_.basic.end())};
    case Grid::kSegments: return CellsOf(table_.segments, first, last);
    case Grid::kLoads: break;
    }
    return CellsOf(table_.loads, first, last);
}

void TableDocument::ReplaceRows(Grid grid, int first, int last, CellRows rows, const QString& what) {
    const int columns = ColumnCount(grid);
    for (auto& row : rows) row.resize(columns);
    CellRows removed = Rows(grid, first, last);
    if (removed == rows) return;
    undo_.push(new ReplaceRowsCommand(*this, grid, first, std::move(removed), std::move(rows), what));
}

void TableDocument::SetCell(Grid grid, int row, int column, const std::string& text) {
    if (Cell(grid, row, column) == text) return;
    CellRows rows = Rows(grid, row, row + 1);
    rows[0][column] = text;
    ReplaceRows(grid, row, row + 1, std::move(rows), QStringLiteral("修改单元格"));
}

void TableDocument::Apply(Grid grid, int first, int removed, const CellRows& rows) {
    const int inserted = static_cast<int>(rows.size());
    emit rowsAboutToBeReplaced(grid, first, removed, inserted);
    switch (grid) {
    case Grid::kBasic: table_.basic = RowOf<decltype(table_.basic)>(rows.at(0)); break;
    case Grid::kSegments: Splice(table_.segments, first, removed, rows); break;
    case Grid::kLoads: Splice(table_.loads, first, removed, rows); break;
    }
    emit rowsReplaced(grid, first, removed, inserted);
    Recheck();
}

const TableDocument::CellProblems* TableDocument::ProblemsAt(Grid grid, int row, int column) const {
    const auto found = problemsByCell_.find(CellKey(grid, row, column));
    return found == problemsByCell_.end() ? nullptr : &found->second;
}

void TableDocument::Recheck() {
    problems_ = CheckNetworkTable(table_);
    problemsByCell_.clear();
    for (const TableProblem& problem : problems_) {
        CellProblems& cell = problemsByCell_[CellKey(problem.grid, problem.row, problem.column)];
        if (!cell.messages.isEmpty()) cell.messages += '\n';
        cell.messages += QString::fromStdString(problem.message);
        cell.refusedByCalculation |= problem.refusedByCalculation;
    }
    emit problemsChanged();
}

}  // namespace heatnet
