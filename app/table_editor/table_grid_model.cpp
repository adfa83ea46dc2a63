#include "app/table_editor/table_grid_model.h"

#include "data/number_text.h"

namespace heatnet {
namespace {

struct ColumnTitle {
    const char* title;
    const char* hint;  // what a value means beyond its name, or nullptr
};

const std::vector<ColumnTitle>& Titles(Grid grid) {
    static const std::vector<ColumnTitle> segments = {
        {"起点编号", nullptr},
        {"终点编号", nullptr},
        {"管径(mm)", "0 = 自动选择"},
        {"管段长度(m)", nullptr},
        {"局部阻力折算长度(m)", "0 = 系数 × 长度"},
    };
    static const std::vector<ColumnTitle> loads = {{"节点编号", nullptr}, {"负荷(MW)", "用户为正, 热源为负"}};
    static const std::vector<ColumnTitle> none;
    return grid == Grid::kSegments ? segments : grid == Grid::kLoads ? loads : none;
}

}  // namespace

QStringList GridColumnTitles(Grid grid) {
    QStringList titles;
    for (const ColumnTitle& column : Titles(grid)) titles << QString::fromUtf8(column.title);
    return titles;
}

QColor RefusedProblemColour() { return {255, 190, 190}; }
QColor OtherProblemColour() { return {255, 236, 160}; }

TableGridModel::TableGridModel(TableDocument& document, Grid grid, QObject* parent)
    : QAbstractTableModel(parent), document_(document), grid_(grid) {
    connect(&document, &TableDocument::rowsAboutToBeReplaced, this, &TableGridModel::BeforeReplace);
    connect(&document, &TableDocument::rowsReplaced, this, &TableGridModel::AfterReplace);
    connect(&document, &TableDocument::problemsChanged, this, &TableGridModel::ProblemsChanged);
}

int TableGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : document_.RowCount(grid_);
}

int TableGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFirstValueColumn + TableDocument::ColumnCount(grid_);
}

QVariant TableGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row(), column = index.column() - kFirstValueColumn;
    if (column < 0) {
        if (role == Qt::DisplayRole) return row + 1;
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return QString::fromStdString(document_.Cell(grid_, row, column));
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
    case Qt::ToolTipRole:
        if (const auto* problems = document_.ProblemsAt(grid_, row, column)) {
            if (role == Qt::ToolTipRole) return problems->messages;
            return problems->refusedByCalculation ? RefusedProblemColour() : OtherProblemColour();
        }
        return {};
    default: return {};
    }
}

bool TableGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() < kFirstValueColumn) return false;
    document_.SetCell(grid_, index.row(), index.column() - kFirstValueColumn, value.toString().toStdString());
    return true;
}

Qt::ItemFlags TableGridModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() < kFirstValueColumn ? flags : flags | Qt::ItemIsEditable;
}

QVariant TableGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < kFirstValueColumn) return role == Qt::DisplayRole ? QStringLiteral("序号") : QVariant();
    const ColumnTitle& column = Titles(grid_).at(section - kFirstValueColumn);
    const QString hint = column.hint ? QString::fromUtf8(column.hint) : QString();
    if (role == Qt::DisplayRole)
        return hint.isEmpty() ? QString::fromUtf8(column.title) : QString::fromUtf8(column.title) + '\n' + hint;
    return role == Qt::ToolTipRole && !hint.isEmpty() ? QVariant(hint) : QVariant();
}

// Only the rows whose count changed are inserted or removed; the rest change in
// place, so the views keep their selection and scroll position.
void TableGridModel::BeforeReplace(Grid grid, int first, int removed, int inserted) {
    if (grid != grid_) return;
    if (inserted < removed) beginRemoveRows({}, first + inserted, first + removed - 1);
    if (inserted > removed) beginInsertRows({}, first + removed, first + inserted - 1);
}

void TableGridModel::AfterReplace(Grid grid, int first, int removed, int inserted) {
    if (grid != grid_) return;
    if (inserted < removed) endRemoveRows();
    if (inserted > removed) endInsertRows();
    if (const int kept = std::min(removed, inserted); kept > 0)
        emit dataChanged(index(first, 0), index(first + kept - 1, columnCount() - 1));
}

void TableGridModel::ProblemsChanged() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole, Qt::ToolTipRole});
}

GridSortProxy::GridSortProxy(TableGridModel& grid, QObject* parent) : QSortFilterProxyModel(parent), grid_(grid) {
    setSourceModel(&grid);
}

bool GridSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const int column = left.column() - TableGridModel::kFirstValueColumn;
    if (column < 0) return left.row() < right.row();
    const TableDocument& document = grid_.Document();
    const std::string& leftText = document.Cell(grid_.WhichGrid(), left.row(), column);
    const std::string& rightText = document.Cell(grid_.WhichGrid(), right.row(), column);
    const std::optional<Number> leftNumber = ParseNumberField(leftText);
    const std::optional<Number> rightNumber = ParseNumberField(rightText);
    const bool leftIsNumber = leftNumber && *leftNumber, rightIsNumber = rightNumber && *rightNumber;
    if (leftIsNumber != rightIsNumber) return leftIsNumber;
    if (leftIsNumber && **leftNumber != **rightNumber) return **leftNumber < **rightNumber;
    if (!leftIsNumber && leftText != rightText) return leftText < rightText;
    return left.row() < right.row();  // equal values keep the file's order
}

}  // namespace heatnet
