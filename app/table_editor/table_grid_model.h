#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QSortFilterProxyModel>

#include "app/table_editor/table_document.h"

namespace heatnet {

// The column titles of a grid's values (序号 not included), as the grid heads
// them and CSV files carry them.
QStringList GridColumnTitles(Grid grid);

// The colours of a cell with a problem: one the calculation would refuse, and one
// it would only warn about or take as it is.
QColor RefusedProblemColour();
QColor OtherProblemColour();

// The 管段 or 节点负荷 grid of a document: column 0 is 序号 (the record's place in
// the file, read-only), the values follow in the document's column order. Edits
// go through the document, so they are undoable; cells with problems are
// coloured and carry their messages as tooltip.
class TableGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kFirstValueColumn = 1;

    TableGridModel(TableDocument& document, Grid grid, QObject* parent = nullptr);
    Grid WhichGrid() const { return grid_; }
    TableDocument& Document() const { return document_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void BeforeReplace(Grid grid, int first, int removed, int inserted);
    void AfterReplace(Grid grid, int first, int removed, int inserted);
    void ProblemsChanged();

    TableDocument& document_;
    Grid grid_;
};

// A view's order of a grid: a click on a column head sorts by value (numbers
// before other texts), never the records of the file, which keep their order.
class GridSortProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit GridSortProxy(TableGridModel& grid, QObject* parent = nullptr);
    TableGridModel& Source() const { return grid_; }

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    TableGridModel& grid_;
};

}  // namespace heatnet
