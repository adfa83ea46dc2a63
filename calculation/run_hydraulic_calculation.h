#pragma once

#include <memory>
#include <string>

#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"
#include "hydraulics/user_interaction.h"

namespace heatnet {

struct CalculationResult {
    bool completed = false;  // false when a message stopped the calculation
    std::string reportFile;  // empty when no report file was created
    NetworkModel model;
    StandardPipeTable table;
};

// Calculates the network of one basic data file and writes every output, talking
// to the person through `person`. SLGJ.DAT is looked up from `programDirectory`
// (TableFile). `sizingThreads` solve sizing passes side by side (0: the machine's
// cores); the results are the same with any number.
std::unique_ptr<CalculationResult> RunHydraulicCalculation(
    const std::string& fileName, UserInteraction& person, const std::string& programDirectory,
    SizingMethod sizingMethod = SizingMethod::kForeseen, int sizingThreads = 0);

}  // namespace heatnet
