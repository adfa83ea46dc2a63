#include "app/results/map_results.h"

#include <cmath>
#include <limits>
#include <map>
#include <utility>

#include "app/results/result_tables.h"
#include "data/number_text.h"
#include "hydraulics/sizing_rules.h"
#include "hydraulics/units.h"

namespace heatnet {
namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

std::pair<double, double> Ends(double a, double b) { return a < b ? std::pair(a, b) : std::pair(b, a); }

}  // namespace

QString QuantityName(MapQuantity quantity) {
    switch (quantity) {
        case MapQuantity::kDiameter: return "管径 (mm)";
        case MapQuantity::kLossShareOfLimit: return "比摩阻占限值比例 (%)";
        case MapQuantity::kVelocity: return "流速 (m/s)";
        case MapQuantity::kFlow: return "流量 (t/h)";
    }
    return {};
}

MapResults::MapResults(const NetworkMap& map, const CalculationResult& result)
    : result_(result), modelSegment_(map.segments.size(), -1), modelNode_(map.nodes.size(), -1) {
    const NetworkModel& model = result.model;
    // Segments of the same two ends (refused by the calculation) pair in turn.
    std::multimap<std::pair<double, double>, int> byEnds;
    for (int s = 0; s < model.SegmentCount(); ++s)
        byEnds.emplace(Ends(ValueOf(model.segments[s].nodeI), ValueOf(model.segments[s].nodeJ)), s);
    mapSegment_.assign(model.segments.size(), -1);
    for (int m = 0; m < int(map.segments.size()); ++m) {
        const MapSegment& segment = map.segments[m];
        const auto found = byEnds.find(Ends(map.nodes[segment.from].number, map.nodes[segment.to].number));
        if (found == byEnds.end()) continue;
        modelSegment_[m] = found->second, mapSegment_[found->second] = m;
        byEnds.erase(found);
    }
    // The number shown for an index is the last segment end that carries it.
    std::vector<double> numberOf(model.nodes.size(), 0);
    for (const NetworkSegment& segment : model.segments) {
        numberOf[segment.indexI] = ValueOf(segment.nodeI);
        numberOf[segment.indexJ] = ValueOf(segment.nodeJ);
    }
    mapNode_.assign(model.nodes.size(), -1);
    for (int k = 1; k <= model.M(); ++k)
        if (const int position = map.NodePosition(numberOf[k]); position >= 0) modelNode_[position] = k, mapNode_[k] = position;
    if (const int source = map.NodePosition(0); source >= 0 && model.sourceIndex < int(model.nodes.size()))
        modelNode_[source] = model.sourceIndex, mapNode_[model.sourceIndex] = source;
}

int MapResults::MapSegmentOf(int modelSegment) const {
    return modelSegment >= 0 && modelSegment < int(mapSegment_.size()) ? mapSegment_[modelSegment] : -1;
}
int MapResults::MapNodeOf(int modelNode) const {
    return modelNode >= 0 && modelNode < int(mapNode_.size()) ? mapNode_[modelNode] : -1;
}

// The source's values stand at index 0, as the report's first node row reads them.
const NetworkNode* MapResults::Node(int mapNode) const {
    const int index = modelNode_[mapNode];
    if (index < 0) return nullptr;
    return &result_.model.nodes[index == result_.model.sourceIndex ? 0 : index];
}

double MapResults::DiameterMm(int mapSegment) const {
    const int s = modelSegment_[mapSegment];
    return s < 0 ? kNoValue : ValueOf(result_.table.Diameter(result_.model.segments[s].sizeIndex));
}

double MapResults::Value(int mapSegment, MapQuantity quantity) const {
    const int s = modelSegment_[mapSegment];
    if (s < 0) return kNoValue;
    const NetworkSegment& segment = result_.model.segments[s];
    switch (quantity) {
        case MapQuantity::kDiameter: return DiameterMm(mapSegment);
        case MapQuantity::kLossShareOfLimit:
            return 100 * std::fabs(segment.specificLoss) / ZoneLimit(segment, result_.model.branchStartNode);
        case MapQuantity::kVelocity: return std::fabs(segment.velocity);
        case MapQuantity::kFlow: return std::fabs(segment.flow);
    }
    return kNoValue;
}

bool MapResults::HeldAtLargestSize(int mapSegment) const {
    const int s = modelSegment_[mapSegment];
    return s >= 0 && result_.model.sizing.heldAtLargestSize.Holds(s);
}

bool MapResults::OverLimit(int mapSegment) const {
    const int s = modelSegment_[mapSegment];
    if (s < 0) return false;
    const NetworkSegment& segment = result_.model.segments[s];
    return EnlargementStep(segment.specificLoss, ZoneLimit(segment, result_.model.branchStartNode)) > 0;
}

double MapResults::AvailableKPa(int mapNode) const {
    const NetworkNode* node = Node(mapNode);
    return node ? node->pressureDifference / kPaPerKPa : kNoValue;
}

bool MapResults::LowPressure(int mapNode) const {
    const NetworkNode* node = Node(mapNode);
    // Pa against kPa, exactly as the "P<2100" line tests it.
    return node && !(node->supplyPressure > result_.model.lastUserResistance);
}

QString MapResults::DescribeSegment(int mapSegment) const {
    const int s = modelSegment_[mapSegment];
    if (s < 0) return {};
    const ReportRow row = SegmentRow(result_, s, 0);
    const QStringList& t = row.texts;
    QString text = QString("管段 %1 - %2\n管径 %3 mm\n管段长度 %4 m\n计算长度 %5 m\n流量 %6 t/h\n流速 %7 m/s\n"
                           "比摩阻 %8 Pa/m\n管段压降 %9 kPa\n")
                       .arg(t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9]) +
                   QString("供水压力 %1 kPa\n回水压力 %2 kPa\n供回水压差 %3 kPa").arg(t[10], t[11], t[12]);
    if (!row.remark.isEmpty()) text += "\n" + row.remark;
    return text;
}

QString MapResults::DescribeNode(int mapNode) const {
    const int index = modelNode_[mapNode];
    if (index < 0) return {};
    const QStringList t = NodeRow(result_, index == result_.model.sourceIndex ? 0 : index).texts;
    QString text = QString("节点 %1\n热负荷 %2 MW\n水量 %3 t/h\n供水压力 %4 kPa\n回水压力 %5 kPa\n供回水压差 %6 kPa")
                       .arg(t[0], t[1], t[2], t[3], t[4], t[5]);
    if (!t[6].isEmpty()) text += "\n" + t[6];
    if (LowPressure(mapNode)) text += "\nP<2100";
    return text;
}

}  // namespace heatnet
