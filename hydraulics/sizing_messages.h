#pragma once

#include <string>

#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// The informational messages of sizing, each gathering every segment the walk
// found, in the order found; empty when it found none. One segment gives the
// message as it has always read; several are joined by 、 where it names one.
std::string ZeroFlowMessage(const NetworkModel& model);
std::string SmallFlowMessage(const NetworkModel& model);
// Names every segment held at the largest size ("A-B").
std::string LargestSizeMessage(const NetworkModel& model, const StandardPipeTable& table);

}  // namespace heatnet
