#pragma once

#include <string>
#include <vector>

#include "data/project_data.h"

namespace heatnet {

// Advisory checks of the basic data window's OK; each message is one box.

// Every segment end with a node number above 0 that no load record names, in
// segment order, start before end (a node ending two segments appears twice).
std::vector<std::string> MissingLoadMessages(const ProjectData& data);

// Every load record whose node no segment touches, in record order.
std::vector<std::string> OrphanLoadMessages(const ProjectData& data);

}  // namespace heatnet
