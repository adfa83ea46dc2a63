#include "app/table_editor/table_editor_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/table_editor/basic_data_panel.h"
#include "app/table_editor/problem_list_model.h"
#include "app/table_editor/table_document.h"
#include "app/table_editor/table_grid_model.h"
#include "app/table_editor/table_network_map.h"
#include "data/application_texts.h"
#include "data/base_data_file.h"
#include "data/file_io.h"

namespace heatnet {
namespace {

// A new network starts from the basic data window's built-in values.
NetworkTable NewNetwork() {
    NetworkTable table;
    table.basic = {"130", "70", "200", "50", "0.4", ""};
    return table;
}

int Index(Grid grid) { return grid == Grid::kLoads ? 1 : 0; }

QTableView* MakeView(GridSortProxy& proxy, const char* name, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(&proxy);
    // Until a column head is clicked the view shows the file's order.
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Widths from the heads alone: measuring 1400 rows would slow the opening.
    for (int column = 0; column < proxy.columnCount(); ++column) {
        const QStringList lines = proxy.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().split('\n');
        int width = 0;
        for (const QString& line : lines) width = std::max(width, view->fontMetrics().horizontalAdvance(line));
        view->setColumnWidth(column, std::max(width + 24, 60));
    }
    return view;
}

}  // namespace

TableEditorWindow::TableEditorWindow(const std::string& path, WindowDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
    setAttribute(Qt::WA_DeleteOnClose);
    NetworkTable table = NewNetwork();
    const DataFileNames names = SplitDataFileName(path);
    ErrorMessage error;
    if (HasWildcard(path)) {
        error = WildcardNameMessage(path);
    } else if (FileExists(names.fileName)) {
        diskBytes_ = ReadWholeFile(names.fileName);
        auto data = std::make_unique<ProjectData>();
        error = diskBytes_ ? ParseBaseData(*diskBytes_, names.fileName, *data)
                           : ReadBaseDataFile(names.fileName, *data);
        if (error.empty()) table = TableFromProjectData(*data);
    }
    document_ = new TableDocument(std::move(table), names.fileName, this);
    if (!error.empty()) {
        dialogs_.ShowMessage(error, kApplicationTitle);
        return;
    }
    opened_ = true;
    BuildWidgets();
    BuildActions();
    connect(&document_->UndoStack(), &QUndoStack::cleanChanged, this, [this] { ShowTitle(); });
    ShowTitle();
    resize(1000, 640);
}

// The views and models ask the document for rows until they are gone, so they go
// before it (children are otherwise deleted in the order they were made).
TableEditorWindow::~TableEditorWindow() {
    delete takeCentralWidget();
    for (int at = 0; at < 2; ++at) delete proxies_[at], delete grids_[at];
    // The undo stack tells its clean state once more as it goes; the title it
    // would show belongs to a window no longer there.
    disconnect(&document_->UndoStack(), nullptr, this, nullptr);
    delete document_;
}

const std::string& TableEditorWindow::FilePath() const { return document_->Path(); }

bool TableEditorWindow::HoldsUnsavedChanges() const {
    if (document_->IsModified()) return true;
    for (int value = 0; basicPanel_ && value < NetworkTable::kBasicValues; ++value)
        if (basicPanel_->Box(value)->text().toStdString() != document_->Table().basic[value]) return true;
    return false;
}

QTableView* TableEditorWindow::View(Grid grid) const { return views_[Index(grid)]; }

void TableEditorWindow::BuildWidgets() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    basicPanel_ = new BasicDataPanel(*document_, tabs_);
    tabs_->addTab(basicPanel_, QStringLiteral("基本数据"));
    for (Grid grid : {Grid::kSegments, Grid::kLoads}) {
        const int at = Index(grid);
        grids_[at] = new TableGridModel(*document_, grid, this);
        proxies_[at] = new GridSortProxy(*grids_[at], this);
        views_[at] = MakeView(*proxies_[at], at == 0 ? "segments" : "loads", tabs_);
        tabs_->addTab(views_[at], at == 0 ? QStringLiteral("管段") : QStringLiteral("节点负荷"));
    }

    auto* side = new QWidget(this);
    auto* layout = new QVBoxLayout(side);
    auto* problemTitle = new QLabel(side);
    problemList_ = new QListView(side);
    problemList_->setObjectName(QStringLiteral("problems"));
    problemList_->setModel(new ProblemListModel(*document_, problemList_));
    problemList_->setUniformItemSizes(true);  // thousands of problems stay quick to show
    problemList_->setWordWrap(false);
    const auto goToProblem = [this](const QModelIndex& index) {
        if (index.row() >= static_cast<int>(document_->Problems().size())) return;
        const TableProblem& problem = document_->Problems()[index.row()];
        GoToCell(problem.grid, problem.row, problem.column);
    };
    connect(problemList_, &QListView::clicked, this, goToProblem);
    connect(problemList_, &QListView::activated, this, goToProblem);
    const auto countProblems = [this, problemTitle] {
        problemTitle->setText(QStringLiteral("问题 (%1)").arg(document_->Problems().size()));
    };
    connect(document_, &TableDocument::problemsChanged, problemTitle, countProblems);
    countProblems();

    nodeFinder_ = new QLineEdit(side);
    nodeFinder_->setObjectName(QStringLiteral("nodeFinder"));
    nodeFinder_->setPlaceholderText(QStringLiteral("节点编号"));
    nodePlaces_ = new QListWidget(side);
    nodePlaces_->setObjectName(QStringLiteral("nodePlaces"));
    connect(nodeFinder_, &QLineEdit::textChanged, this, &TableEditorWindow::ListNodePlaces);
    connect(document_, &TableDocument::problemsChanged, this, &TableEditorWindow::ListNodePlaces);
    connect(nodePlaces_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (!item->data(Qt::UserRole).isValid()) return;
        GoToCell(static_cast<Grid>(item->data(Qt::UserRole).toInt()), item->data(Qt::UserRole + 1).toInt(),
                 item->data(Qt::UserRole + 2).toInt());
    });
    layout->addWidget(problemTitle);
    layout->addWidget(problemList_, 2);
    layout->addWidget(new QLabel(QStringLiteral("查找节点"), side));
    layout->addWidget(nodeFinder_);
    layout->addWidget(nodePlaces_, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
}

QAction* TableEditorWindow::AddAction(QMenu* menu, const QString& text, const char* name,
                                      const QList<QKeySequence>& keys, void (TableEditorWindow::*slot)()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);  // its keys work wherever the focus is in the window
    return action;
}

void TableEditorWindow::BuildActions() {
    using Key = QKeySequence;
    QToolBar* tools = addToolBar(QStringLiteral("工具"));
    tools->setObjectName(QStringLiteral("tools"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
    tools->addAction(AddAction(file, QStringLiteral("保存"), "save", {Key(Qt::CTRL | Qt::Key_S)},
                               &TableEditorWindow::SaveFromMenu));
    AddAction(file, QStringLiteral("另存为"), "saveAs", {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
              &TableEditorWindow::SaveAsFromMenu);
    file->addSeparator();
    AddAction(file, QStringLiteral("导入CSV"), "importCsv", {}, &TableEditorWindow::ImportCsv);
    AddAction(file, QStringLiteral("导出CSV"), "exportCsv", {}, &TableEditorWindow::ExportCsv);
    file->addSeparator();
    tools->addAction(AddAction(file, QStringLiteral("计算"), "calculate", {Key(Qt::Key_F5)},
                               &TableEditorWindow::Calculate));
    QAction* map = tools->addAction(QStringLiteral("管网图"));
    map->setObjectName(QStringLiteral("networkMap"));
    connect(map, &QAction::triggered, this, [this] { OpenNetworkMap(*this); });
    file->addSeparator();
    file->addAction(QStringLiteral("关闭"), this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑"));
    QAction* undo = document_->UndoStack().createUndoAction(this, QStringLiteral("撤销"));
    QAction* redo = document_->UndoStack().createRedoAction(this, QStringLiteral("重做"));
    undo->setObjectName(QStringLiteral("undo"));
    redo->setObjectName(QStringLiteral("redo"));
    undo->setShortcuts({Key(Qt::CTRL | Qt::Key_Z)});
    redo->setShortcuts({Key(Qt::CTRL | Qt::Key_Y), Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addActions({undo, redo});
    addActions({undo, redo});
    // After an undo or redo the rows it changed are shown, as a change far down
    // 1400 rows would otherwise go unseen.
    connect(document_, &TableDocument::rowsReplaced, this,
            [this](Grid grid, int first, int, int inserted) { lastChange_ = {grid, first, inserted}; });
    for (QAction* action : {undo, redo})
        connect(action, &QAction::triggered, this, [this] {
            const auto [grid, first, rows] = lastChange_;
            if (grid == Grid::kBasic) tabs_->setCurrentWidget(basicPanel_);
            else SelectRows(grid, first, first + std::max(rows, 1));
        });
    tools->addSeparator();
    tools->addActions({undo, redo});
    edit->addSeparator();
    QList<QAction*> gridActions = {
        AddAction(edit, QStringLiteral("复制"), "copy", {Key(Qt::CTRL | Qt::Key_C)}, &TableEditorWindow::Copy),
        AddAction(edit, QStringLiteral("粘贴"), "paste", {Key(Qt::CTRL | Qt::Key_V)}, &TableEditorWindow::Paste),
        AddAction(edit, QStringLiteral("插入行"), "insertRows", {Key(Qt::CTRL | Qt::Key_Insert)},
                  &TableEditorWindow::InsertRows),
        AddAction(edit, QStringLiteral("删除行"), "deleteRows", {Key(Qt::CTRL | Qt::Key_Delete)},
                  &TableEditorWindow::DeleteRows),
        AddAction(edit, QStringLiteral("上移"), "moveUp", {Key(Qt::ALT | Qt::Key_Up)}, &TableEditorWindow::MoveUp),
        AddAction(edit, QStringLiteral("下移"), "moveDown", {Key(Qt::ALT | Qt::Key_Down)},
                  &TableEditorWindow::MoveDown),
        AddAction(edit, QStringLiteral("向下填充"), "fillDown", {Key(Qt::CTRL | Qt::Key_D)},
                  &TableEditorWindow::FillDown),
    };
    tools->addSeparator();
    tools->addActions(gridActions.mid(2));
    edit->addSeparator();
    AddAction(edit, QStringLiteral("查找节点"), "findNode", {Key(Qt::CTRL | Qt::Key_F)}, &TableEditorWindow::FindNode);
    AddAction(edit, QStringLiteral("转到行"), "goToRow", {Key(Qt::CTRL | Qt::Key_G)}, &TableEditorWindow::GoToRow);
    edit->addSeparator();
    AddAction(edit, QStringLiteral("按当前顺序重排记录"), "reorderAsShown", {}, &TableEditorWindow::ReorderAsShown);

    // Delete empties the selected cells of a grid only; elsewhere it keeps its
    // usual meaning in a text box.
    auto* clear = new QAction(QStringLiteral("清除内容"), this);
    clear->setShortcut(Key(Qt::Key_Delete));
    clear->setShortcutContext(Qt::WidgetShortcut);
    connect(clear, &QAction::triggered, this, &TableEditorWindow::ClearCells);
    for (QTableView* view : views_) {
        view->addActions(gridActions);
        view->addAction(clear);
        view->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

void TableEditorWindow::ShowTitle() {
    setWindowTitle(QStringLiteral("表格编辑 - ") + QFileInfo(QString::fromStdString(FilePath())).fileName() +
                   QStringLiteral("[*]"));
    setWindowModified(document_->IsModified());
}

void TableEditorWindow::Note(const QString& text) { statusBar()->showMessage(text, 8000); }

void TableEditorWindow::StoreTyping() {
    // An open cell editor stores its text when it loses the focus.
    if (QWidget* focus = QApplication::focusWidget())
        for (QTableView* view : views_)
            if (view && view->viewport()->isAncestorOf(focus)) focus->clearFocus();
    if (basicPanel_) basicPanel_->StoreTyping();
}

bool TableEditorWindow::ChangedOnDisk() const { return ReadWholeFile(FilePath()) != diskBytes_; }

bool TableEditorWindow::Save() {
    StoreTyping();
    TableRefusal refusal;
    const std::optional<ProjectData> data = ProjectDataFromTable(document_->Table(), &refusal);
    if (!data) {
        dialogs_.ShowMessage(refusal.message + "\r\n文件未存盘。", kApplicationTitle);
        GoToCell(refusal.grid, refusal.row, refusal.column);
        return false;
    }
    for (const TableProblem& problem : document_->Problems()) {
        if (!problem.refusedByCalculation) continue;
        const std::string question = ProblemPlace(problem).toStdString() + ": " + problem.message +
                                     "\r\n计算时将拒绝此文件。仍然存盘?";
        if (dialogs_.AskYesNo(question, "确认")) break;
        GoToCell(problem.grid, problem.row, problem.column);
        return false;
    }
    if (ChangedOnDisk()) {
        const std::string question = diskBytes_ ? "文件 " + FilePath() + " 在读入后已被修改,是否覆盖?"
                                                : "数据文件已存在,覆盖?";
        if (!dialogs_.AskYesNo(question, "确认")) return false;
    }
    if (const ErrorMessage error = WriteBaseDataFile(FilePath(), *data); !error.empty()) {
        dialogs_.ShowMessage(error, kApplicationTitle);
        return false;
    }
    diskBytes_ = ReadWholeFile(FilePath());
    document_->UndoStack().setClean();
    Note(QStringLiteral("已存盘: ") + QString::fromStdString(FilePath()));
    return true;
}

bool TableEditorWindow::SaveAs() {
    StoreTyping();
    const std::optional<std::string> answer = dialogs_.AskForText("输入文件名:", "另存为", FilePath());
    if (!answer || answer->find_first_not_of(" \t") == std::string::npos) return false;
    if (HasWildcard(*answer)) {
        dialogs_.ShowMessage("文件名 " + *answer + " 含有通配符 * 或 ?,请输入一个数据文件名。", kApplicationTitle);
        return false;
    }
    const std::string fileName = SplitDataFileName(*answer).fileName;
    const bool sameFile = fileName == FilePath();
    if (const std::string held = holderCheck_ && !sameFile ? holderCheck_(fileName) : ""; !held.empty()) {
        dialogs_.ShowMessage(held, kApplicationTitle);
        return false;
    }
    if (!sameFile && FileExists(fileName) && !dialogs_.AskYesNo("数据文件已存在,覆盖?", "确认")) return false;
    const std::string previousPath = FilePath();
    const std::optional<std::string> previousBytes = diskBytes_;
    document_->SetPath(fileName);
    if (!sameFile) diskBytes_ = ReadWholeFile(fileName);  // overwriting it was agreed just now
    if (!Save()) {
        document_->SetPath(previousPath);
        diskBytes_ = previousBytes;
        return false;
    }
    ShowTitle();
    if (!sameFile) emit filePathChanged(fileName);
    return true;
}

void TableEditorWindow::SaveFromMenu() { Save(); }
void TableEditorWindow::SaveAsFromMenu() { SaveAs(); }

void TableEditorWindow::Calculate() {
    StoreTyping();
    if ((document_->IsModified() || ChangedOnDisk()) && !Save()) return;
    emit calculationRequested(FilePath());
}

void TableEditorWindow::closeEvent(QCloseEvent* event) {
    if (opened_ && HoldsUnsavedChanges()) {
        switch (dialogs_.AskYesNoCancel("数据已修改,是否存盘?", "确认")) {
        case WindowDialogs::YesNoCancel::Yes:
            if (!Save()) return event->ignore();
            break;
        case WindowDialogs::YesNoCancel::No: break;
        case WindowDialogs::YesNoCancel::Cancel: return event->ignore();
        }
    }
    event->accept();
}

void TableEditorWindow::GoToCell(Grid grid, int row, int column) {
    if (grid == Grid::kBasic) {
        tabs_->setCurrentWidget(basicPanel_);
        if (column >= 0 && column < NetworkTable::kBasicValues) basicPanel_->Box(column)->setFocus();
        return;
    }
    const int at = Index(grid);
    if (row < 0 || row >= document_->RowCount(grid)) return;
    const QModelIndex index =
        proxies_[at]->mapFromSource(grids_[at]->index(row, column + TableGridModel::kFirstValueColumn));
    tabs_->setCurrentWidget(views_[at]);
    views_[at]->setCurrentIndex(index);
    views_[at]->scrollTo(index);
    views_[at]->setFocus();
}

void TableEditorWindow::GoToSegmentRow(int row) { SelectRows(Grid::kSegments, row, row + 1); }
void TableEditorWindow::GoToLoadRow(int row) { SelectRows(Grid::kLoads, row, row + 1); }

}  // namespace heatnet
