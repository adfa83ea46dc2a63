#pragma once

#include "hydraulics/calculation_messenger.h"
#include "hydraulics/network_model.h"
#include "hydraulics/sizing_rules.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// Gives every segment its starting size: the first standard size not smaller
// than its given diameter (the largest size when none is).
void AssignInitialSizes(NetworkModel& model, const StandardPipeTable& table);

// Alternates the flow solution with the friction-loss check, enlarging one
// auto-sized segment per pass, until no segment needs a larger size, by the
// model's sizing method. False when the calculation cannot go on.
bool SizeDiameters(NetworkModel& model, const StandardPipeTable& table,
                   CalculationMessenger& messages);

}  // namespace heatnet
