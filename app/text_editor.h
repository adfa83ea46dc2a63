#pragma once

#include <string>

namespace heatnet {

// Opens the file in the desktop's text editor and returns at once. The path is
// handed over as one argument, never through a shell, so blanks and quotes in it
// are safe. False when the opener could not be started.
bool StartTextEditor(const std::string& path);

}  // namespace heatnet
