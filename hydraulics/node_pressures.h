#pragma once

#include "hydraulics/calculation_messenger.h"
#include "hydraulics/network_model.h"

namespace heatnet {

// Supply and return pressure of every node from the pressure drops, the pump
// inlet pressure and the resistance left for the most remote user; copies the
// heat source to index 0 for the outputs.
void ComputeNodePressures(NetworkModel& model, CalculationMessenger& messages);

}  // namespace heatnet
