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
    // A reset costs nothing however many problems there are: the list asks only
    // for the rows it shows.
    connect(&document, &TableDocument::problemsChanged, this, [this] { beginResetModel(), endResetModel(); });
}

int ProblemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(document_.Problems().size());
}

QVariant ProblemListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
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
