#pragma once

#include <optional>

#include "data/base_data_file.h"
#include "data/project_data.h"
#include "app/entry_windows/window_dialogs.h"

namespace heatnet {

// Where the basic data window's OK writes. A file that existed when the fill-in
// began is overwritten only after a Yes; on No the person types a new name in the
// "存储文件" box, which is asked again after an empty answer or Cancel. nullopt
// when the box was refused twice: nothing is to be written.
std::optional<DataFileNames> AskSaveTarget(const ProjectData& data, WindowDialogs& dialogs);

}  // namespace heatnet
