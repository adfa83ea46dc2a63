#pragma once

#include <string>

namespace heatnet {

// The folder of the running executable.
std::string ProgramDirectory();

// Where the table `name` (SLGJ.DAT, ybdwg.dat) is read from: beside the
// executable first, so a table the person puts there wins, then in
// ../share/heatnet as installed. When it is in neither, the places looked in
// joined by " 或 ": no file has that name, so the message that the table is
// missing names them all.
std::string TableFile(const std::string& programDirectory, const std::string& name);

}  // namespace heatnet
