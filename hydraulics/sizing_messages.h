#pragma once

#include <string>

#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// The informational messages of the sizing walk.
std::string ZeroFlowMessage(const NetworkSegment& segment);
std::string SmallFlowMessage(const NetworkSegment& segment);
std::string LargestSizeMessage(const NetworkSegment& segment, const StandardPipeTable& table);

}  // namespace heatnet
