#pragma once

#include <optional>
#include <string>

#include "data/project_data.h"

namespace heatnet {

// Advisory checks of the basic data window's OK. Each kind is one message naming
// its nodes in order, each node once, so that a large network with many gaps asks
// once per kind instead of once per segment end; nullopt when all is well.

// Segment ends with a node number above 0 that no load record names, in segment
// order, start before end.
std::optional<std::string> MissingLoadMessage(const ProjectData& data);

// Nodes of load records that no segment touches, in record order.
std::optional<std::string> OrphanLoadMessage(const ProjectData& data);

}  // namespace heatnet
