#pragma once

#include <string>

#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// The informational messages of sizing.
std::string ZeroFlowMessage(const NetworkSegment& segment);
std::string SmallFlowMessage(const NetworkSegment& segment);
// Names every segment held at the largest size ("A-B", joined by 、); empty when none was.
std::string LargestSizeMessage(const NetworkModel& model, const StandardPipeTable& table);

}  // namespace heatnet
