#include "hydraulics/node_pressures.h"

#include "data/number_text.h"
#include "hydraulics/units.h"

namespace heatnet {

void ComputeNodePressures(NetworkModel& model, CalculationMessenger& messages) {
    const int order = model.M();
    const int source = model.sourceIndex;
    double largestDrop = 0;
    for (int r = 1; r <= order; ++r)
        if (model.nodes[r].drop > largestDrop) largestDrop = model.nodes[r].drop;
    model.nodes[source].drop = 0;

    const double pin = model.pumpInletPressure;
    const double ru = model.lastUserResistance;
    for (int r = 1; r <= source; ++r) {
        NetworkNode& node = model.nodes[r];
        node.returnPressure = node.drop + kPaPerKPa * pin;
        node.supplyPressure = kPaPerKPa * ru + (kPaPerKPa * pin + 2 * largestDrop) - node.drop;
        node.pressureDifference = node.supplyPressure - node.returnPressure;
        // The entered resistance in kPa, not Pa: a low-pressure warning kept as it is.
        if (!(node.supplyPressure > ru))
            messages.Trace("P<2100 " + SignedPlainText(r) + "  " + SignedPlainText(node.supplyPressure));
    }

    model.nodes[source].demand = -model.totalDemand;
    model.nodes[0] = model.nodes[source];
}

}  // namespace heatnet
