#include "hydraulics/sizing_pass.h"

#include <algorithm>
#include <cmath>

#include "hydraulics/sizing_rules.h"

namespace heatnet {

PassOutcome RunSolvedPass(NetworkModel& model, const StandardPipeTable& table,
                          NodalFlowSolver& solver, Enlargement* made) {
    for (NetworkSegment& segment : model.segments)
        segment.flowFactor = segment.calculationLength * table.Coefficient(segment.sizeIndex);
    solver.Prepare();
    if (!solver.SolveFlows()) return PassOutcome::kStopped;

    for (int s = 0; s < model.SegmentCount(); ++s) {
        NetworkSegment& segment = model.segments[s];
        segment.pressureDifference =
            model.nodes[segment.indexJ].drop - model.nodes[segment.indexI].drop;
        if (segment.pressureDifference == 0) model.sizing.zeroPressureDifference.Add(s);
        segment.specificLoss = segment.pressureDifference / segment.calculationLength;
        segment.velocity = Velocity(segment.flow, table.Diameter(segment.sizeIndex), model.density);
        if (!segment.autoSized) continue;

        const int step =
            EnlargementStep(segment.specificLoss, ZoneLimit(segment, model.branchStartNode));
        if (step > 0 && segment.sizeIndex < StandardPipeTable::kSizes) {
            const int from = segment.sizeIndex;
            segment.sizeIndex = std::min(segment.sizeIndex + step, StandardPipeTable::kSizes);
            if (made) *made = {s, from, segment.sizeIndex};
            return PassOutcome::kEnlarged;
        }
        if (step > 0) {
            model.sizing.heldAtLargestSize.Add(s);
        } else if (std::fabs(segment.flow) < kSmallFlow) {
            model.sizing.smallFlow.Add(s);
        }
    }
    return PassOutcome::kFinished;
}

bool SizeStepByStep(NetworkModel& model, const StandardPipeTable& table, NodalFlowSolver& solver) {
    for (;;) {
        const PassOutcome outcome = RunSolvedPass(model, table, solver);
        ++model.sizing.solvedPasses;
        if (outcome != PassOutcome::kEnlarged) return outcome == PassOutcome::kFinished;
    }
}

}  // namespace heatnet
