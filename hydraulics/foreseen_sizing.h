#pragma once

#include "hydraulics/calculation_messenger.h"
#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// The sizing loop with the passes it can vouch for taken from the tree forecast
// instead of being solved; every other pass, and always the last, is solved as
// in the step-by-step loop. Sizes, flows, pressures and messages come out the same.
bool SizeDiametersForeseen(NetworkModel& model, const StandardPipeTable& table,
                           CalculationMessenger& messages);

}  // namespace heatnet
