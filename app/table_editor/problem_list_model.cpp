#include "app/table_editor/problem_list_model.h"

#include <QColor>

#include "app/table_editor/basic_data_panel.h"
#include "app/table_editor/table_grid_model.h"

namespace heatnet {

QString ProblemPlace(const TableProblem& problem) {
    if (problem.grid == Grid::kBasic) return QStringLiteral("基本数据 ") + BasicValueLabel(problem.column);
    const QStringList titles = GridColumnTitles(problem.grid);
    const QString column = problem.column < titles.size() ? titles[problem.column] : QString();
    return QStringLiteral("%1 第%2行 %3")
        .arg(problem.grid == Grid::kSegments ? QStringLiteral("管段") : QStringLiteral("节点负荷"))
        .arg(problem.row + 1)
        .arg(column);
}

ProblemListModel::ProblemListModel(TableDocument& document, QObject* parent)
    : QAbstractListModel(parent), document_(document) {
    connect(&document, &TableDocument::problemsChanged, this, &ProblemListModel::Follow);
    Follow();
}

// Rows are added or taken at the end and the rest change in place rather than
// the list being reset, so that it keeps its place while the person works down it.
void ProblemListModel::Follow() {
    const int count = static_cast<int>(document_.Problems().size());
    if (count < rows_) beginRemoveRows({}, count, rows_ - 1), rows_ = count, endRemoveRows();
    if (count > rows_) beginInsertRows({}, rows_, count - 1), rows_ = count, endInsertRows();
    if (rows_ > 0) emit dataChanged(index(0), index(rows_ - 1));
}

int ProblemListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant ProblemListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(document_.Problems().size())) return {};
    const TableProblem& problem = document_.Problems()[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:  // the list is narrower than most messages
        return ProblemPlace(problem) + ": " + QString::fromStdString(problem.message);
    case Qt::ForegroundRole: return problem.refusedByCalculation ? QColor(170, 0, 0) : QColor(120, 90, 0);
    default: return {};
    }
}

}  // namespace heatnet
