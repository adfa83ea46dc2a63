#include "hydraulics/diameter_sizing.h"

#include <algorithm>
#include <cmath>

#include "data/number_text.h"
#include "hydraulics/nodal_flow_solver.h"

namespace heatnet {
namespace {

// Sizes to add when |DP| exceeds a limit; 0 when it passes every limit.
int EnlargementStep(double specificLoss, double zoneLimit) {
    const double magnitude = std::fabs(specificLoss);
    if (magnitude > 5000) return 3;
    if (magnitude > 2000) return 2;
    if (magnitude > zoneLimit) return 1;
    return 0;
}

double Velocity(double flow, double diameter, double density) {
    return 1e9 * flow / (3600 * 0.785375 * (diameter * diameter) * density);
}

}  // namespace

void AssignInitialSizes(NetworkModel& model, const StandardPipeTable& table) {
    for (NetworkSegment& segment : model.segments) {
        const double given = ValueOf(segment.givenDiameter);
        segment.autoSized = given < kSmallestGivenDiameter;
        segment.sizeIndex = table.InitialSize(given);
    }
}

double ZoneLimit(const NetworkSegment& segment, const Number& branchStartNode) {
    const double start = ValueOf(branchStartNode);
    if (start <= 0) return 90;
    const bool mainLine = ValueOf(segment.nodeI) < start && ValueOf(segment.nodeJ) < start;
    return mainLine ? 90 : 300;
}

bool SizeDiameters(NetworkModel& model, const StandardPipeTable& table,
                   CalculationMessenger& messages) {
    NodalFlowSolver solver(model, messages);
    for (;;) {
        for (NetworkSegment& segment : model.segments)
            segment.flowFactor = segment.calculationLength * table.Coefficient(segment.sizeIndex);
        solver.Prepare();
        if (!solver.SolveFlows()) return false;

        bool enlarged = false;
        for (NetworkSegment& segment : model.segments) {
            segment.pressureDifference =
                model.nodes[segment.indexJ].drop - model.nodes[segment.indexI].drop;
            if (segment.pressureDifference == 0)
                messages.Inform("管段流量为0,请检查节点" + NumberToBoxText(segment.nodeI) + "或" +
                                NumberToBoxText(segment.nodeJ));
            segment.specificLoss = segment.pressureDifference / segment.calculationLength;
            segment.velocity =
                Velocity(segment.flow, table.Diameter(segment.sizeIndex), model.density);
            if (!segment.autoSized) continue;

            const int step =
                EnlargementStep(segment.specificLoss, ZoneLimit(segment, model.branchStartNode));
            if (step > 0 && segment.sizeIndex < StandardPipeTable::kSizes) {
                segment.sizeIndex = std::min(segment.sizeIndex + step, StandardPipeTable::kSizes);
                enlarged = true;
                break;
            }
            if (step > 0) {
                messages.Inform("管段" + NumberInText(segment.nodeI) + "-" +
                                NumberInText(segment.nodeJ) + "已取最大标准管径" +
                                NumberInText(table.Diameter(segment.sizeIndex)) +
                                "mm,比摩阻仍超过限值,请检查");
                continue;
            }
            if (std::fabs(segment.flow) < 0.1)
                messages.Inform("节点" + NumberToBoxText(double(segment.indexI)) + "到" +
                                NumberToBoxText(double(segment.indexJ)) + "管段流量太小,请检查" +
                                NumberToBoxText(segment.nodeI) + " " + NumberToBoxText(segment.nodeJ));
        }
        if (!enlarged) return true;
    }
}

}  // namespace heatnet
