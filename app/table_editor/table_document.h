#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include <QObject>
#include <QUndoStack>

#include "data/network_table.h"
#include "data/network_table_checks.h"
#include "data/pasted_cells.h"

namespace heatnet {

using Grid = TableRefusal::Grid;

// One basic data file held by the table editor: the texts as typed, where they are
// written, and the undo history. Every change goes through ReplaceRows as one
// undoable step, so the grids, the basic values and the problem list can never
// disagree, and undo reaches every edit a person can make. The basic values are
// a grid of one row.
class TableDocument : public QObject {
    Q_OBJECT
public:
    TableDocument(NetworkTable table, std::string path, QObject* parent = nullptr);

    const NetworkTable& Table() const { return table_; }
    const std::string& Path() const { return path_; }
    void SetPath(std::string path) { path_ = std::move(path); }
    QUndoStack& UndoStack() { return undo_; }
    bool IsModified() const { return !undo_.isClean(); }

    int RowCount(Grid grid) const;
    static int ColumnCount(Grid grid);
    const std::string& Cell(Grid grid, int row, int column) const;
    CellRows Rows(Grid grid, int first, int last) const;

    // Replaces rows [first, last) by `rows` (cells beyond the grid's columns are
    // dropped, missing ones empty) as one undo step named `what`; nothing when
    // nothing would change.
    void ReplaceRows(Grid grid, int first, int last, CellRows rows, const QString& what);
    void SetCell(Grid grid, int row, int column, const std::string& text);

    const std::vector<TableProblem>& Problems() const { return problems_; }
    // The problems of one cell: their messages one per line, and whether any of
    // them makes the calculation refuse the file. nullptr when it has none.
    struct CellProblems {
        QString messages;
        bool refusedByCalculation = false;
    };
    const CellProblems* ProblemsAt(Grid grid, int row, int column) const;

    // Applies a replacement without the undo stack; the undo steps call it.
    void Apply(Grid grid, int first, int removed, const CellRows& rows);

signals:
    void rowsAboutToBeReplaced(heatnet::Grid grid, int first, int removed, int inserted);
    void rowsReplaced(heatnet::Grid grid, int first, int removed, int inserted);
    void problemsChanged();

private:
    void Recheck();

    NetworkTable table_;
    std::string path_;
    QUndoStack undo_;
    std::vector<TableProblem> problems_;
    std::unordered_map<long long, CellProblems> problemsByCell_;
};

}  // namespace heatnet
