#include "hydraulics/network_calculation.h"

#include <utility>

#include "data/base_data_checks.h"
#include "data/base_data_file.h"
#include "data/number_text.h"
#include "hydraulics/diameter_sizing.h"
#include "hydraulics/network_topology.h"
#include "hydraulics/node_demands.h"
#include "hydraulics/node_pressures.h"
#include "hydraulics/profile_matrix.h"
#include "hydraulics/sizing_messages.h"

namespace heatnet {
namespace {

std::string CheckSegmentEnds(NetworkModel& model) {
    for (size_t f = 0; f < model.segments.size(); ++f)
        if (ValueOf(model.segments[f].nodeI) == ValueOf(model.segments[f].nodeJ))
            return "第" + std::to_string(f + 1) + "根管道的起点和终点编号相同(" +
                   NumberInText(model.segments[f].nodeI) + "),请检查。";
    return {};
}

}  // namespace

void TakeBaseData(const ProjectData& data, NetworkModel& model) {
    model.supplyTemperatureRead = data.supplyTemperature;
    model.returnTemperatureRead = data.returnTemperature;
    if (ValueOf(model.returnTemperatureRead) > ValueOf(model.supplyTemperatureRead))
        std::swap(model.supplyTemperatureRead, model.returnTemperatureRead);
    model.supplyTemperature = ValueOf(model.supplyTemperatureRead);
    model.returnTemperature = ValueOf(model.returnTemperatureRead);
    model.pumpInletPressureRead = data.pumpInletPressure;
    model.lastUserResistanceRead = data.lastUserResistance;
    model.pumpInletPressure = ValueOf(data.pumpInletPressure);
    model.lastUserResistance = ValueOf(data.lastUserResistance);
    model.localResistanceCoefficient = data.localResistanceCoefficient;
    model.nodeCountRead = data.nodeCount;
    model.pipeCountRead = data.pipeCount;
    model.branchStartNode = data.branchStartNode;

    model.nodeCount = static_cast<int>(ValueOf(data.nodeCount));
    model.sourceIndex = model.nodeCount;  // M + 1 with M = N - 1
    model.meanTemperature = (model.supplyTemperature + model.returnTemperature) / 2;
    model.density = WaterDensity(model.meanTemperature);
    model.temperatureDifference = model.supplyTemperature - model.returnTemperature;

    const double alpha = ValueOf(data.localResistanceCoefficient);
    model.segments.clear();
    for (int i = 1; i <= PipeRecordCount(data); ++i) {
        const PipeSegment& pipe = data.pipes[i];
        NetworkSegment segment;
        segment.record = i - 1;
        segment.givenDiameter = pipe.diameter;
        segment.length = pipe.length;
        segment.equivalentLength = pipe.equivalentLength;
        const double length = ValueOf(pipe.length);
        const double equivalent = ValueOf(pipe.equivalentLength);
        segment.calculationLength = equivalent != 0 ? equivalent + length : length * (1 + alpha);
        const bool startIsLarger = ValueOf(pipe.startNode) > ValueOf(pipe.endNode);
        segment.nodeI = startIsLarger ? pipe.startNode : pipe.endNode;
        segment.nodeJ = startIsLarger ? pipe.endNode : pipe.startNode;
        model.segments.push_back(segment);
    }
    model.loadRecords.assign(data.loads.begin() + 1, data.loads.begin() + 1 + LoadRecordCount(data));
}

bool BuildNetwork(const ProjectData& data, const std::string& pipeTablePath,
                  NetworkModel& model, StandardPipeTable& table, CalculationMessenger& messages) {
    TakeBaseData(data, model);
    if (std::string error = CheckBaseData(data, model.dataFileName); !error.empty()) {
        messages.Refuse(error);
        return false;
    }
    if (model.nodeCount < 1) {
        messages.Refuse("节点数为0,至少应有主热源节点0,无法计算。");
        return false;
    }
    if (model.temperatureDifference == 0) {
        messages.Refuse("供水温度与回水温度相同,无法由热负荷求得流量,请检查供回水温度。");
        return false;
    }
    if (std::string error = table.Load(pipeTablePath, model.density); !error.empty()) {
        messages.Refuse(error);
        return false;
    }
    for (auto step : {CheckSegmentEnds, OrderByConnectionWalk, NumberNodes}) {
        if (std::string error = step(model); !error.empty()) {
            messages.Refuse(error);
            return false;
        }
    }
    ProfileMatrix layout;
    layout.Layout(model);
    if (layout.Size() > ProfileMatrix::kMaxCoefficients) {
        messages.Refuse("节点编号使管网方程的系数达到" + std::to_string(layout.Size()) + "个,超过" +
                        std::to_string(ProfileMatrix::kMaxCoefficients) +
                        "个,无法计算。请按主管到支管的顺序重新编号节点。");
        return false;
    }
    model.nodes.assign(model.sourceIndex + 1, NetworkNode{});
    AssignInitialSizes(model, table);
    LoadDemands(model);
    return true;
}

bool CalculateNetwork(const ProjectData& data, const std::string& pipeTablePath,
                      NetworkModel& model, StandardPipeTable& table,
                      CalculationMessenger& messages) {
    if (!BuildNetwork(data, pipeTablePath, model, table, messages)) return false;
    const bool sized = SizeDiameters(model, table, messages);
    // Told also when sizing stopped on a fault: the segments found before the
    // stop still need the person's attention. Not when they stopped it.
    if (!messages.Cancelled())
        for (const std::string& found :
             {ZeroFlowMessage(model), SmallFlowMessage(model), LargestSizeMessage(model, table)})
            if (!found.empty()) messages.Inform(found);
    if (!sized) return false;
    ComputeNodePressures(model, messages);
    return true;
}

}  // namespace heatnet
