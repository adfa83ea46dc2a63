#pragma once

#include <string>

#include <QMainWindow>

#include "app/entry_windows/window_dialogs.h"

namespace heatnet {

class TableDocument;

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

signals:
    // 计算: the file was saved and is to be calculated.
    void calculationRequested(const std::string& path);
    // The file the editor writes changed (another name through 另存为).
    void filePathChanged(const std::string& path);

protected:
    // Asks "数据已修改,是否存盘?" (是 / 否 / 取消) when there are unsaved changes.
    void closeEvent(QCloseEvent* event) override;

private:
    WindowDialogs& dialogs_;
    TableDocument* document_ = nullptr;
    bool opened_ = false;
};

}  // namespace heatnet
