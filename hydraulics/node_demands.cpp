#include "hydraulics/node_demands.h"

#include <unordered_map>

#include "hydraulics/units.h"
namespace heatnet {

double LoadToFlow(double load, double temperatureDifference) {
    return load * kSecondsPerHour / kSpecificHeatOfWater / temperatureDifference;
}

double FlowToLoad(double flow, double supplyTemperature, double returnTemperature) {
    return (supplyTemperature - returnTemperature) * kSpecificHeatOfWater * flow / kSecondsPerHour;
}

void LoadDemands(NetworkModel& model) {
    std::unordered_map<double, int> indexOf;
    for (const NetworkSegment& segment : model.segments) {
        indexOf[ValueOf(segment.nodeI)] = segment.indexI;
        indexOf[ValueOf(segment.nodeJ)] = segment.indexJ;
    }
    model.totalDemand = 0;
    for (const NodeLoad& record : model.loadRecords) {
        const double flow = LoadToFlow(ValueOf(record.load), model.temperatureDifference);
        model.totalDemand += flow;
        // The source's entry is replaced by the negated total after sizing.
        if (auto found = indexOf.find(ValueOf(record.node)); found != indexOf.end())
            model.nodes[found->second].demand = flow;
    }
}

}  // namespace heatnet
