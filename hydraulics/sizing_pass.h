#pragma once

#include "hydraulics/calculation_messenger.h"
#include "hydraulics/network_model.h"
#include "hydraulics/nodal_flow_solver.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

enum class PassOutcome { kStopped, kEnlarged, kFinished };

// What a pass enlarged: the segment (0-based position in the ordered list), the
// size it had while the pass was solved and the size it was given. Two passes
// from the same sizes made the same enlargement when segment and new size agree.
struct Enlargement {
    int segment = 0;
    int from = 0;
    int size = 0;
    bool operator==(const Enlargement& other) const { return segment == other.segment && size == other.size; }
};

// One sizing pass as written: the whole flow solution, then the walk that
// enlarges the first auto-sized segment over its limit (told in `made`).
// What the walk finds beside the enlargement is kept in model.sizing.
PassOutcome RunSolvedPass(NetworkModel& model, const StandardPipeTable& table,
                          NodalFlowSolver& solver, Enlargement* made = nullptr);

// Solved passes until one enlarges nothing. False when the calculation cannot go on.
bool SizeStepByStep(NetworkModel& model, const StandardPipeTable& table, NodalFlowSolver& solver);

}  // namespace heatnet
