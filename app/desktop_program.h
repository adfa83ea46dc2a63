#pragma once

#include <memory>

#include "app/command_flow.h"
#include "app/gui_interaction.h"
#include "app/main_window.h"
#include "app/results/open_results.h"
#include "data/project_data.h"
#include "app/entry_windows/entry_windows.h"
#include "app/entry_windows/window_dialogs.h"

namespace heatnet {

// Everything one run of the program holds: the command flow values, the project
// record, the main window and the windows of the fill-in.
class DesktopProgram {
public:
    DesktopProgram(WindowDialogs& dialogs, GuiInteraction::EditorStarter startEditor);

    Form1& MainWindow() { return mainWindow_; }
    EntryWindows& Entries() { return entryWindows_; }
    CommandFlow& Flow() { return flow_; }
    ProjectData& Data() { return *data_; }
    OpenResults& Results() { return results_; }

private:
    CommandFlow flow_;
    std::unique_ptr<ProjectData> data_ = std::make_unique<ProjectData>();
    Form1 mainWindow_;
    GuiInteraction interaction_;
    EntryWindows entryWindows_;
    OpenResults results_;  // last, so that its windows go before the interaction they use
};

}  // namespace heatnet
