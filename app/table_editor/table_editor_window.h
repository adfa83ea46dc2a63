#pragma once

#include <optional>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <QMainWindow>

#include "app/entry_windows/window_dialogs.h"
#include "data/network_table.h"

class QAction;
class QMenu;
class QLineEdit;
class QListView;
class QListWidget;
class QTabWidget;
class QTableView;

namespace heatnet {

class BasicDataPanel;
class GridSortProxy;
class TableDocument;
class TableGridModel;

// The table editor of one basic data file: 基本数据, the 管段 and 节点负荷 grids
// and the problem list, over one document shared by every view of it. Its title
// names the file ("表格编辑 - net.TXT") and ends with "*" while there are
// unsaved changes. It deletes itself when closed.
class TableEditorWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads `path` when the file exists (a new network otherwise). A file that
    // cannot be read is told through `dialogs` and Opened() is false.
    TableEditorWindow(const std::string& path, WindowDialogs& dialogs, QWidget* parent = nullptr);
    ~TableEditorWindow() override;

    bool Opened() const { return opened_; }
    // The file the editor writes (changed by 另存为).
    const std::string& FilePath() const;
    bool HoldsUnsavedChanges() const;
    TableDocument& Document() { return *document_; }

    // Brings the grid's row (0-based, file order) into view and selects it.
    void GoToSegmentRow(int row);
    void GoToLoadRow(int row);

    // Writes the file as 保存 does (asking first when the calculation would
    // refuse it); false when nothing was written.
    bool Save();

    // Tells why another window holds a file (the fill-in, another editor), or
    // nothing; 另存为 never takes such a file, so no two copies drift apart.
    using HolderCheck = std::function<std::string(const std::string& path)>;
    void SetHolderCheck(HolderCheck check) { holderCheck_ = std::move(check); }
    // 另存为: asks for a name, then saves there; false when nothing was written.
    bool SaveAs();
    // Whether the file on disk is no longer what the editor read or last wrote.
    bool ChangedOnDisk() const;

    // The grid's view (管段 or 节点负荷), the basic values, the problem list and
    // the node finder, for the program and its tests.
    QTableView* View(TableRefusal::Grid grid) const;
    BasicDataPanel* BasicValues() const { return basicPanel_; }
    QListView* ProblemList() const { return problemList_; }
    QLineEdit* NodeFinder() const { return nodeFinder_; }
    QListWidget* NodePlaces() const { return nodePlaces_; }
    QTabWidget* Tabs() const { return tabs_; }
    // Selects a cell (row and column of the document) and shows it.
    void GoToCell(TableRefusal::Grid grid, int row, int column);

signals:
    // 计算: the file was saved and is to be calculated.
    void calculationRequested(const std::string& path);
    // The file the editor writes changed (another name through 另存为).
    void filePathChanged(const std::string& path);

protected:
    // Asks "数据已修改,是否存盘?" (是 / 否 / 取消) when there are unsaved changes.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWidgets();
    void BuildActions();
    QAction* AddAction(QMenu* menu, const QString& text, const char* name, const QList<QKeySequence>& keys,
                       void (TableEditorWindow::*slot)());
    void ShowTitle();
    // What is typed but not yet stored (an open cell, a basic value box) goes
    // into the document.
    void StoreTyping();
    bool WriteFile();
    void Note(const QString& text);

    // The grid the edit commands work on (the current tab); nullopt on 基本数据.
    std::optional<TableRefusal::Grid> CurrentGrid();
    // The selected cells of the current grid as document rows and value columns,
    // rows in the view's order.
    std::vector<int> SelectedRows(TableRefusal::Grid grid) const;
    std::vector<int> SelectedColumns(TableRefusal::Grid grid) const;
    void SelectRows(TableRefusal::Grid grid, int first, int last);

    void Copy();
    void Paste();
    void ClearCells();
    void InsertRows();
    void DeleteRows();
    void MoveUp();
    void MoveDown();
    void Move(int step);
    void FillDown();
    void FindNode();
    void ListNodePlaces();
    void GoToRow();
    void ReorderAsShown();
    std::string CsvFileName(TableRefusal::Grid grid) const;
    void ImportCsv();
    void ExportCsv();
    void Calculate();
    void SaveFromMenu();
    void SaveAsFromMenu();

    WindowDialogs& dialogs_;
    HolderCheck holderCheck_;
    TableDocument* document_ = nullptr;
    bool opened_ = false;
    // The file's bytes as read or last written (nullopt: there was no file).
    std::optional<std::string> diskBytes_;
    QTabWidget* tabs_ = nullptr;
    BasicDataPanel* basicPanel_ = nullptr;
    TableGridModel* grids_[2] = {};
    GridSortProxy* proxies_[2] = {};
    QTableView* views_[2] = {};
    QListView* problemList_ = nullptr;
    QLineEdit* nodeFinder_ = nullptr;
    QListWidget* nodePlaces_ = nullptr;
    // The rows the last change put in place: grid, first row, count.
    std::tuple<TableRefusal::Grid, int, int> lastChange_{};
};

}  // namespace heatnet
