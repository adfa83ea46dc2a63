#pragma once

#include <memory>
#include <string>

#include "app/command_dispatch.h"
#include "app/command_flow.h"
#include "app/gui_interaction.h"
#include "app/main_window.h"
#include "app/results/open_results.h"
#include "app/table_editor/open_table_editors.h"
#include "data/project_data.h"
#include "app/entry_windows/entry_windows.h"
#include "app/entry_windows/window_dialogs.h"

namespace heatnet {

// Everything one run of the program holds: the command flow values, the project
// record, the main window, the windows of the fill-in, the table editors and
// the results windows.
class DesktopProgram {
public:
    DesktopProgram(WindowDialogs& dialogs, GuiInteraction::EditorStarter startEditor);

    Form1& MainWindow() { return mainWindow_; }
    EntryWindows& Entries() { return entryWindows_; }
    CommandFlow& Flow() { return flow_; }
    ProjectData& Data() { return *data_; }
    OpenResults& Results() { return results_; }
    OpenTableEditors& TableEditors() { return tableEditors_; }

    // 表格编辑 on a file, as the picker's confirmation starts it (`heatnet FILE.TXT`).
    void OpenInTableEditor(const std::string& name) { OpenTableEditor(name, windows_); }

private:
    CommandFlow flow_;
    std::unique_ptr<ProjectData> data_ = std::make_unique<ProjectData>();
    Form1 mainWindow_;
    GuiInteraction interaction_;
    EntryWindows entryWindows_;
    OpenTableEditors tableEditors_;  // before the results windows, which bring editors to rows
    OpenResults results_;  // last, so that its windows go before the interaction they use
    ProgramWindows windows_{interaction_, entryWindows_, *data_, results_, tableEditors_};
};

}  // namespace heatnet
