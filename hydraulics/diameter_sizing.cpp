#include "hydraulics/diameter_sizing.h"

#include <algorithm>
#include <cmath>

#include "hydraulics/nodal_flow_solver.h"
#include "hydraulics/sizing_messages.h"

namespace heatnet {
namespace {

enum class PassOutcome { kStopped, kEnlarged, kFinished };

// One pass as written: the whole flow solution, then the walk that enlarges the
// first auto-sized segment over its limit.
PassOutcome RunSolvedPass(NetworkModel& model, const StandardPipeTable& table,
                          CalculationMessenger& messages, NodalFlowSolver& solver) {
    for (NetworkSegment& segment : model.segments)
        segment.flowFactor = segment.calculationLength * table.Coefficient(segment.sizeIndex);
    solver.Prepare();
    if (!solver.SolveFlows()) return PassOutcome::kStopped;

    for (NetworkSegment& segment : model.segments) {
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
            messages.Inform(LargestSizeMessage(segment, table));
        } else if (std::fabs(segment.flow) < kSmallFlow) {
            messages.Inform(SmallFlowMessage(segment));
        }
    }
    return PassOutcome::kFinished;
}

}  // namespace

void AssignInitialSizes(NetworkModel& model, const StandardPipeTable& table) {
    for (NetworkSegment& segment : model.segments) {
        const double given = ValueOf(segment.givenDiameter);
        segment.autoSized = given < kSmallestGivenDiameter;
        segment.sizeIndex = table.InitialSize(given);
    }
}

bool SizeDiameters(NetworkModel& model, const StandardPipeTable& table,
                   CalculationMessenger& messages) {
    NodalFlowSolver solver(model, messages);
    for (;;) {
        const PassOutcome outcome = RunSolvedPass(model, table, messages, solver);
        if (outcome != PassOutcome::kEnlarged) return outcome == PassOutcome::kFinished;
    }
}

}  // namespace heatnet
