#pragma once

#include "app/command_flow.h"
#include "app/gui_interaction.h"
#include "app/results/open_results.h"
#include "app/entry_windows/entry_windows.h"

namespace heatnet {

// What a confirmed picker starts, by CommandMode: a calculation of
// SelectedDataFile, a fill-in on it or the text editor on it; no mode starts
// nothing. Runs to its end before the next click is handled: a calculation
// keeps the windows painting, but clicks, keys and close requests wait for its end.
// A completed calculation opens its results window among `results`.
void DispatchConfirmedFile(const CommandFlow& flow, GuiInteraction& person,
                           EntryWindows& entryWindows, OpenResults& results);

}  // namespace heatnet
