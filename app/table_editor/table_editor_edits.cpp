// The edit commands of the table editor: each works on the current grid's
// selection and is one undo step of the document.
#include <algorithm>
#include <set>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelection>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

#include "app/table_editor/basic_data_panel.h"
#include "app/table_editor/grid_csv.h"
#include "app/table_editor/grid_edits.h"
#include "app/table_editor/table_editor_window.h"
#include "app/table_editor/table_grid_model.h"
#include "data/application_texts.h"
#include "data/base_data_file.h"
#include "data/file_io.h"
#include "data/number_text.h"

namespace heatnet {
namespace {

int Index(Grid grid) { return grid == Grid::kLoads ? 1 : 0; }

QString GridName(Grid grid) { return grid == Grid::kSegments ? QStringLiteral("管段") : QStringLiteral("节点负荷"); }

}  // namespace

std::optional<Grid> TableEditorWindow::CurrentGrid() {
    for (Grid grid : {Grid::kSegments, Grid::kLoads})
        if (tabs_->currentWidget() == View(grid)) return grid;
    Note(QStringLiteral("请先选择管段或节点负荷表格。"));
    return std::nullopt;
}

std::vector<int> TableEditorWindow::SelectedRows(Grid grid) const {
    const QTableView* view = View(grid);
    std::set<int> shownRows;
    for (const QModelIndex& index : view->selectionModel()->selectedIndexes()) shownRows.insert(index.row());
    if (shownRows.empty() && view->currentIndex().isValid()) shownRows.insert(view->currentIndex().row());
    std::vector<int> rows;
    const GridSortProxy* proxy = proxies_[Index(grid)];
    for (const int shown : shownRows) rows.push_back(proxy->mapToSource(proxy->index(shown, 0)).row());
    return rows;
}

std::vector<int> TableEditorWindow::SelectedColumns(Grid grid) const {
    const QTableView* view = View(grid);
    QModelIndexList indexes = view->selectionModel()->selectedIndexes();
    if (indexes.isEmpty() && view->currentIndex().isValid()) indexes << view->currentIndex();
    std::set<int> columns;
    for (const QModelIndex& index : indexes) columns.insert(index.column() - TableGridModel::kFirstValueColumn);
    // 序号 stands for the whole record.
    if (columns.count(-1))
        for (int column = -1; column < TableDocument::ColumnCount(grid); ++column) columns.insert(column);
    columns.erase(-1);
    return {columns.begin(), columns.end()};
}

void TableEditorWindow::SelectRows(Grid grid, int first, int last) {
    const int at = Index(grid);
    last = std::min(last, document_->RowCount(grid));
    if (first < 0 || first >= last) return;
    QTableView* view = View(grid);
    const int column = std::max(view->currentIndex().column(), TableGridModel::kFirstValueColumn);
    QItemSelection selection;
    for (int row = first; row < last; ++row) {
        const QModelIndex shown = proxies_[at]->mapFromSource(grids_[at]->index(row, 0));
        selection.select(shown, shown.siblingAtColumn(proxies_[at]->columnCount() - 1));
    }
    tabs_->setCurrentWidget(view);
    const QModelIndex current = proxies_[at]->mapFromSource(grids_[at]->index(first, column));
    view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(current);
    view->setFocus();
}

void TableEditorWindow::Copy() {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    const std::vector<int> columns = SelectedColumns(*grid);
    CellRows rows;
    for (const int row : SelectedRows(*grid)) {
        rows.emplace_back();
        for (const int column : columns) rows.back().push_back(document_->Cell(*grid, row, column));
    }
    if (rows.empty()) return;
    QApplication::clipboard()->setText(QString::fromStdString(TabSeparatedText(rows)));
    Note(QStringLiteral("已复制%1行").arg(rows.size()));
}

void TableEditorWindow::Paste() {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    const std::string text = QApplication::clipboard()->text().toStdString();
    const CellRows block = DataRows(text);
    if (block.empty()) return Note(QStringLiteral("剪贴板中没有可粘贴的数据。"));
    const int at = Index(*grid);
    const QModelIndex current = proxies_[at]->mapToSource(View(*grid)->currentIndex());
    const int row = current.isValid() ? current.row() : document_->RowCount(*grid);
    const int column = current.isValid() ? std::max(0, current.column() - TableGridModel::kFirstValueColumn) : 0;
    RowEdit edit = PasteEdit(*document_, *grid, row, column, block);
    std::size_t widest = 0;
    for (const auto& cells : block) widest = std::max(widest, cells.size());
    document_->ReplaceRows(*grid, edit.first, edit.last, std::move(edit.rows), QStringLiteral("粘贴"));
    SelectRows(*grid, row, row + static_cast<int>(block.size()));
    QString note = QStringLiteral("已粘贴%1行").arg(block.size());
    if (block.size() < SplitPastedText(text).size()) note += QStringLiteral(",标题行未粘贴");
    if (column + static_cast<int>(widest) > TableDocument::ColumnCount(*grid))
        note += QStringLiteral(",超出表格最后一列的内容未粘贴");
    Note(note);
}

void TableEditorWindow::ClearCells() {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    const std::vector<int> rows = SelectedRows(*grid);
    if (rows.empty()) return;
    const auto [low, high] = std::minmax_element(rows.begin(), rows.end());
    CellRows cells = document_->Rows(*grid, *low, *high + 1);
    const int at = Index(*grid);
    for (const QModelIndex& shown : View(*grid)->selectionModel()->selectedIndexes())
        if (const QModelIndex index = proxies_[at]->mapToSource(shown); index.column() > 0)
            cells[index.row() - *low][index.column() - TableGridModel::kFirstValueColumn].clear();
    document_->ReplaceRows(*grid, *low, *high + 1, std::move(cells), QStringLiteral("清除内容"));
}

void TableEditorWindow::InsertRows() {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    const std::vector<int> rows = SelectedRows(*grid);
    const int first = rows.empty() ? document_->RowCount(*grid) : *std::min_element(rows.begin(), rows.end());
    const int count = std::max<int>(1, static_cast<int>(rows.size()));
    document_->ReplaceRows(*grid, first, first,
                           CellRows(count, std::vector<std::string>(TableDocument::ColumnCount(*grid))),
                           QStringLiteral("插入行"));
    SelectRows(*grid, first, first + count);
}

void TableEditorWindow::DeleteRows() {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    std::vector<int> rows = SelectedRows(*grid);
    if (rows.empty()) return;
    std::sort(rows.begin(), rows.end());
    // Runs of neighbouring rows, last first, so the rows before keep their places.
    QUndoStack& undo = document_->UndoStack();
    undo.beginMacro(QStringLiteral("删除行"));
    for (std::size_t end = rows.size(); end > 0;) {
        std::size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1) --begin;
        document_->ReplaceRows(*grid, rows[begin], rows[end - 1] + 1, {}, QStringLiteral("删除行"));
        end = begin;
    }
    undo.endMacro();
    const int next = std::min(rows.front(), document_->RowCount(*grid) - 1);
    SelectRows(*grid, next, next + 1);
}

void TableEditorWindow::MoveUp() { Move(-1); }
void TableEditorWindow::MoveDown() { Move(1); }

void TableEditorWindow::Move(int step) {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    const std::vector<int> rows = SelectedRows(*grid);
    if (rows.empty()) return;
    const auto [low, high] = std::minmax_element(rows.begin(), rows.end());
    if (*high - *low + 1 != static_cast<int>(rows.size())) return Note(QStringLiteral("只能移动相邻的行。"));
    RowEdit edit = MoveEdit(*document_, *grid, *low, *high + 1, step);
    if (edit.first == edit.last) return;
    const int first = *low + step, last = *high + 1 + step;
    document_->ReplaceRows(*grid, edit.first, edit.last, std::move(edit.rows),
                           step < 0 ? QStringLiteral("上移") : QStringLiteral("下移"));
    SelectRows(*grid, first, last);
}

void TableEditorWindow::FillDown() {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    const std::vector<int> rows = SelectedRows(*grid);
    if (rows.size() < 2) return Note(QStringLiteral("请选择要填充的多行。"));
    const auto [low, high] = std::minmax_element(rows.begin(), rows.end());
    RowEdit edit = FillDownEdit(*document_, *grid, *low, *high, SelectedColumns(*grid));
    document_->ReplaceRows(*grid, edit.first, edit.last, std::move(edit.rows), QStringLiteral("向下填充"));
}

void TableEditorWindow::FindNode() {
    nodeFinder_->setFocus();
    nodeFinder_->selectAll();
}

void TableEditorWindow::ListNodePlaces() {
    nodePlaces_->clear();
    const std::string text = nodeFinder_->text().trimmed().toStdString();
    if (text.empty()) return;
    const std::optional<Number> node = ParseNumberField(text);
    const std::vector<NodePlace> places =
        node && *node ? PlacesOfNode(document_->Table(), **node) : std::vector<NodePlace>();
    for (const NodePlace& place : places) {
        const QString column = GridColumnTitles(place.grid)[place.column];
        const QString text = QStringLiteral("%1 第%2行 %3").arg(GridName(place.grid)).arg(place.row + 1).arg(column);
        auto* item = new QListWidgetItem(text, nodePlaces_);
        item->setData(Qt::UserRole, static_cast<int>(place.grid));
        item->setData(Qt::UserRole + 1, place.row);
        item->setData(Qt::UserRole + 2, place.column);
    }
    if (places.empty())
        nodePlaces_->addItem(node && *node ? QStringLiteral("没有节点 %1").arg(nodeFinder_->text().trimmed())
                                           : QStringLiteral("请输入节点编号"));
}

void TableEditorWindow::GoToRow() {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    const int count = document_->RowCount(*grid);
    const std::optional<std::string> answer =
        dialogs_.AskForText("行号(1-" + std::to_string(count) + "):", "转到行", "");
    if (!answer) return;
    bool isNumber = false;
    const int row = QString::fromStdString(*answer).trimmed().toInt(&isNumber);
    if (!isNumber || row < 1 || row > count)
        return dialogs_.ShowMessage("行号应为1到" + std::to_string(count) + "之间的整数。", kApplicationTitle);
    SelectRows(*grid, row - 1, row);
}

void TableEditorWindow::ReorderAsShown() {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    const int at = Index(*grid);
    QTableView* view = View(*grid);
    if (proxies_[at]->sortColumn() < 0) return Note(QStringLiteral("表格未按列排序,记录顺序不变。"));
    CellRows rows;
    for (int shown = 0; shown < proxies_[at]->rowCount(); ++shown) {
        const int row = proxies_[at]->mapToSource(proxies_[at]->index(shown, 0)).row();
        rows.push_back(document_->Rows(*grid, row, row + 1).front());
    }
    document_->ReplaceRows(*grid, 0, document_->RowCount(*grid), std::move(rows), QStringLiteral("按当前顺序重排记录"));
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    proxies_[at]->sort(-1);
}

// "net_管段.csv" beside net.TXT: the name offered for the grid's CSV file.
std::string TableEditorWindow::CsvFileName(Grid grid) const {
    return SplitDataFileName(FilePath()).baseName + "_" + GridName(grid).toStdString() + ".csv";
}

void TableEditorWindow::ExportCsv() {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    const std::string suggested = CsvFileName(*grid);
    const std::optional<std::string> name = dialogs_.AskForText("输入CSV文件名:", "导出CSV", suggested);
    if (!name || name->empty()) return;
    if (FileExists(*name) && !dialogs_.AskYesNo("文件 " + *name + " 已存在,覆盖?", "确认")) return;
    if (!WriteFileReplacing(*name, GridCsv(*document_, *grid)))
        return dialogs_.ShowMessage("无法写入文件 " + *name + ",请检查文件夹是否可写。", kApplicationTitle);
    Note(QStringLiteral("已导出: ") + QString::fromStdString(*name));
}

void TableEditorWindow::ImportCsv() {
    const std::optional<Grid> grid = CurrentGrid();
    if (!grid) return;
    const std::string suggested = CsvFileName(*grid);
    const std::optional<std::string> name = dialogs_.AskForText("输入CSV文件名:", "导入CSV", suggested);
    if (!name || name->empty()) return;
    const std::optional<std::string> bytes = ReadWholeFile(*name);
    if (!bytes) return dialogs_.ShowMessage("无法读取文件 " + *name + "。", kApplicationTitle);
    CellRows rows = DataRows(*bytes);
    if (rows.empty()) return dialogs_.ShowMessage("文件 " + *name + " 中没有数据行。", kApplicationTitle);
    const int count = static_cast<int>(rows.size());
    document_->ReplaceRows(*grid, 0, document_->RowCount(*grid), std::move(rows), QStringLiteral("导入CSV"));
    SelectRows(*grid, 0, 1);
    Note(QStringLiteral("已导入%1行").arg(count));
}

}  // namespace heatnet
