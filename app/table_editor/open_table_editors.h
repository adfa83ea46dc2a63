#pragma once

#include <functional>
#include <string>

#include <QList>
#include <QPointer>

#include "app/entry_windows/window_dialogs.h"
#include "app/table_editor/table_editor_window.h"

namespace heatnet {

// Whether two names stand for one data file (relative names count from the
// current folder; links and "." or ".." parts are seen through).
bool SameDataFile(const std::string& a, const std::string& b);

// The table editors of one program run, at most one per file, so that no file
// is ever held in two editors that could drift apart. Those still open go with
// the program (without asking, as the program's end is the person's choice).
class OpenTableEditors {
public:
    explicit OpenTableEditors(WindowDialogs& dialogs) : dialogs_(dialogs) {}
    ~OpenTableEditors();
    OpenTableEditors(const OpenTableEditors&) = delete;
    OpenTableEditors& operator=(const OpenTableEditors&) = delete;

    // Called with every editor newly opened, before it shows.
    void WhenOpened(std::function<void(TableEditorWindow&)> prepare) { prepare_ = std::move(prepare); }

    // Brings the editor of `path` to the front, telling "文件 … 已在表格编辑中打开。",
    // or opens a new one on it. nullptr when the file could not be read (the
    // editor has told why).
    TableEditorWindow* Open(const std::string& path);
    // The open editor of `path` (as its 另存为 may have renamed it), or nullptr.
    TableEditorWindow* Find(const std::string& path) const;
    // The editors still open, the oldest first.
    QList<TableEditorWindow*> Windows() const;

private:
    WindowDialogs& dialogs_;
    std::function<void(TableEditorWindow&)> prepare_;
    QList<QPointer<TableEditorWindow>> windows_;
};

// The first row (file order) of the editor's 管段 grid joining nodes `a` and `b`
// in either direction, or of its 节点负荷 grid for `node`; -1 when none does.
// Texts that are no number match nothing.
int SegmentRowOfEnds(TableEditorWindow& editor, double a, double b);
int LoadRowOfNode(TableEditorWindow& editor, double node);

// "文件 … 已在表格编辑中打开。"
std::string AlreadyInTableEditorMessage(const std::string& path);

}  // namespace heatnet
