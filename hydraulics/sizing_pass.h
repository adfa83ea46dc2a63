#pragma once

#include "hydraulics/calculation_messenger.h"
#include "hydraulics/network_model.h"
#include "hydraulics/nodal_flow_solver.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

enum class PassOutcome { kStopped, kEnlarged, kFinished };

// One sizing pass as written: the whole flow solution, then the walk that
// enlarges the first auto-sized segment over its limit.
// What the walk finds beside the enlargement is kept in model.sizing.
PassOutcome RunSolvedPass(NetworkModel& model, const StandardPipeTable& table,
                          NodalFlowSolver& solver);

// Solved passes until one enlarges nothing. False when the calculation cannot go on.
bool SizeStepByStep(NetworkModel& model, const StandardPipeTable& table, NodalFlowSolver& solver);

}  // namespace heatnet
