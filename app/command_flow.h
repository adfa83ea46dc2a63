#pragma once

#include <string>

namespace heatnet {

// The values through which the main window, the picker and what a confirmation
// starts talk to one another; one instance for the whole program run.
struct CommandFlow {
    // "T" calculate, "N" fill in, "CK" edit by hand: set by the main window's
    // file commands, read when the picker is confirmed, never reset.
    std::string CommandMode;
    // The full path of the last confirmed file, exactly as the picker joined it.
    std::string SelectedDataFile;
};

}  // namespace heatnet
