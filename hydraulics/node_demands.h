#pragma once

#include "hydraulics/network_model.h"

namespace heatnet {

// Heat load (MW) to water flow (t/h) at the calculation's temperature difference.
double LoadToFlow(double load, double temperatureDifference);
// Water flow (t/h) back to heat load (MW), as every output shows it.
double FlowToLoad(double flow, double supplyTemperature, double returnTemperature);

// Converts the load records, in file order, into node demands and the total demand.
// A node named twice keeps the later record's flow; the total counts both.
void LoadDemands(NetworkModel& model);

}  // namespace heatnet
