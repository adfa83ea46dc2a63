#pragma once

#include <functional>
#include <string>

namespace heatnet {

// Called at most once, when the desktop could not open the file.
using EditorFailure = std::function<void()>;

// Opens the file in the desktop's text editor and returns at once. The path is
// handed over as one argument, never through a shell, so blanks and quotes in it
// are safe. xdg-open tells only by its exit status whether any program took the
// file, so it is watched, not waited for: `whenItFails` runs once it is known that
// xdg-open could not be started, ended with a status other than 0 or crashed.
void StartTextEditor(const std::string& path, EditorFailure whenItFails);

}  // namespace heatnet
