#include "hydraulics/sizing_pass.h"

#include <algorithm>
#include <cmath>

#include "hydraulics/sizing_messages.h"
#include "hydraulics/sizing_rules.h"

namespace heatnet {

PassOutcome RunSolvedPass(NetworkModel& model, const StandardPipeTable& table,
                          CalculationMessenger& messages, NodalFlowSolver& solver) {
    for (NetworkSegment& segment : model.segments)
        segment.flowFactor = segment.calculationLength * table.Coefficient(segment.sizeIndex);
    solver.Prepare();
    if (!solver.SolveFlows()) return PassOutcome::kStopped;

    for (int s = 0; s < model.SegmentCount(); ++s) {
        NetworkSegment& segment = model.segments[s];
        segment.pressureDifference =
            model.nodes[segment.indexJ].drop - model.nodes[segment.indexI].drop;
        if (segment.pressureDifference == 0) messages.Inform(ZeroFlowMessage(segment));
        segment.specificLoss = segment.pressureDifference / segment.calculationLength;
        segment.velocity = Velocity(segment.flow, table.Diameter(segment.sizeIndex), model.density);
        if (!segment.autoSized) continue;

        const int step =
            EnlargementStep(segment.specificLoss, ZoneLimit(segment, model.branchStartNode));
        if (step > 0 && segment.sizeIndex < StandardPipeTable::kSizes) {
            segment.sizeIndex = std::min(segment.sizeIndex + step, StandardPipeTable::kSizes);
            return PassOutcome::kEnlarged;
        }
        if (step > 0) {
            model.sizing.heldAtLargestSize.Hold(s);
        } else if (std::fabs(segment.flow) < kSmallFlow) {
            messages.Inform(SmallFlowMessage(segment));
        }
    }
    return PassOutcome::kFinished;
}

bool SizeStepByStep(NetworkModel& model, const StandardPipeTable& table,
                    CalculationMessenger& messages, NodalFlowSolver& solver) {
    for (;;) {
        const PassOutcome outcome = RunSolvedPass(model, table, messages, solver);
        ++model.sizing.solvedPasses;
        if (outcome != PassOutcome::kEnlarged) return outcome == PassOutcome::kFinished;
    }
}

}  // namespace heatnet
