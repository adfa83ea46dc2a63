#pragma once

#include <string>

namespace heatnet {

// The folder of the running executable, where SLGJ.DAT and ybdwg.dat are kept.
std::string ProgramDirectory();

}  // namespace heatnet
