#pragma once

#include <string>

#include "app/command_flow.h"
#include "app/gui_interaction.h"
#include "app/results/open_results.h"
#include "app/entry_windows/entry_windows.h"
#include "app/table_editor/open_table_editors.h"
#include "data/project_data.h"

namespace heatnet {

// The windows a confirmed file or an editor's 计算 may open, and the person
// they talk to; one for the whole program run.
struct ProgramWindows {
    GuiInteraction& person;
    EntryWindows& entries;
    const ProjectData& fillInData;  // names the file of the fill-in in progress
    OpenResults& results;
    OpenTableEditors& editors;
};

// What a confirmed picker starts, by CommandMode: a calculation of
// SelectedDataFile, a fill-in on it, the text editor or the table editor on it;
// no mode starts nothing. Runs to its end before the next click is handled: a
// calculation keeps the windows painting, but clicks, keys and close requests
// wait for its end. A completed calculation opens its results window.
void DispatchConfirmedFile(const CommandFlow& flow, ProgramWindows& windows);

// 表格编辑 on `name` (a new network when the file does not exist). A name with a
// wildcard is refused; a file held by the fill-in or by an open editor is not
// opened a second time: the window holding it comes to the front and the
// person is told.
void OpenTableEditor(const std::string& name, ProgramWindows& windows);

// 计算 of a table editor: the calculation 运行 runs, with its questions and
// messages; a completed one replaces the results windows of the same file.
void CalculateFromTableEditor(const std::string& path, ProgramWindows& windows);
// "文件 … 已在填写数据中打开。" or "…已在表格编辑中打开。" when the fill-in or an editor
// other than `asking` holds `path`; empty otherwise.
std::string HeldElsewhereMessage(const std::string& path, const TableEditorWindow* asking,
                                 ProgramWindows& windows);

}  // namespace heatnet
