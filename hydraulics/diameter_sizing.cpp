#include "hydraulics/diameter_sizing.h"

#include "hydraulics/foreseen_sizing.h"
#include "hydraulics/sizing_pass.h"

namespace heatnet {

void AssignInitialSizes(NetworkModel& model, const StandardPipeTable& table) {
    for (NetworkSegment& segment : model.segments) {
        const double given = ValueOf(segment.givenDiameter);
        segment.autoSized = given < kSmallestGivenDiameter;
        segment.sizeIndex = table.InitialSize(given);
    }
}

bool SizeDiameters(NetworkModel& model, const StandardPipeTable& table,
                   CalculationMessenger& messages) {
    model.sizing = {};
    if (model.sizingMethod == SizingMethod::kForeseen)
        return SizeDiametersForeseen(model, table, messages);
    NodalFlowSolver solver(model, messages);
    return SizeStepByStep(model, table, solver);
}

}  // namespace heatnet
