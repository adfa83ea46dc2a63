#pragma once

#include "app/command_flow.h"
#include "app/entry_windows/entry_windows.h"
#include "hydraulics/user_interaction.h"

namespace heatnet {

// What a confirmed picker starts, by CommandMode: "T" calculates SelectedDataFile,
// "N" starts a fill-in on it, "CK" opens it in the text editor; any other mode
// starts nothing. Runs to its end before the next click is handled: a calculation
// keeps the windows painting, but clicks, keys and close requests wait for its end.
void DispatchConfirmedFile(const CommandFlow& flow, UserInteraction& person,
                           EntryWindows& entryWindows);

}  // namespace heatnet
