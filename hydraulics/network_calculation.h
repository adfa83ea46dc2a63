#pragma once

#include <string>

#include "data/project_data.h"
#include "hydraulics/calculation_messenger.h"
#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// Builds the network from the data file's record: design values, segments in
// file order and load records, without ordering or numbering yet.
void TakeBaseData(const ProjectData& data, NetworkModel& model);

// Reads the design values and the standard pipe table, orders and numbers the
// segments, gives them their initial sizes and converts the loads to demands.
// False (the reason shown) when the data cannot be calculated.
bool BuildNetwork(const ProjectData& data, const std::string& pipeTablePath,
                  NetworkModel& model, StandardPipeTable& table, CalculationMessenger& messages);

// From the record read out of the data file to final flows, sizes and pressures.
// False when the calculation cannot go on; the reason has been shown.
bool CalculateNetwork(const ProjectData& data, const std::string& pipeTablePath,
                      NetworkModel& model, StandardPipeTable& table,
                      CalculationMessenger& messages);

}  // namespace heatnet
