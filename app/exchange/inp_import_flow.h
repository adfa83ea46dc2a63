#pragma once

#include <string>

#include "app/command_dispatch.h"

namespace heatnet {

// 导入INP on a confirmed .inp file: asks for the data file to write (its name
// beside the INP by default), whether the INP's diameters are kept, and the
// design temperatures when the INP does not carry heatnet's own; then writes the
// data file with its side files and opens it in the table editor. A refusal is
// shown as the import words it, and nothing is written.
void ImportInpAndEdit(const std::string& inpPath, ProgramWindows& windows);

}  // namespace heatnet
