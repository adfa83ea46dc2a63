#include "app/results/map_results.h"

#include <cmath>
#include <limits>
#include <map>
#include <utility>

#include "data/number_text.h"
#include "hydraulics/node_demands.h"
#include "hydraulics/sizing_rules.h"
#include "hydraulics/units.h"
#include "reports/format_picture.h"

namespace heatnet {
namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

QString Picture(double value, const char* picture) {
    return QString::fromStdString(FormatWithPicture(value, picture)).trimmed();
}
QString Plain(const Number& number) {
    return number ? QString::fromStdString(SignedPlainText(*number)).trimmed() : QString("0");
}
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
    for (const MapNode& node : map.nodes) numbers_.push_back(node.number);
    held_.assign(model.segments.size(), 0);
    for (int position : model.sizing.heldAtLargestSize.InOrder())
        if (position >= 0 && position < int(held_.size())) held_[position] = 1;
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
    return s >= 0 && held_[s];
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
    const NetworkModel& model = result_.model;
    const NetworkSegment& segment = model.segments[s];
    // Read from the upstream end, as the report's rows are.
    const bool leavesSource = segment.indexI == model.sourceIndex;
    const double sign = leavesSource ? 1 : -1;
    const NetworkNode& end = model.nodes[leavesSource ? segment.indexJ : segment.indexI];
    QString text =
        QString("管段 %1 - %2\n管径 %3 mm\n管段长度 %4 m\n计算长度 %5 m\n流量 %6 t/h\n流速 %7 m/s\n"
                "比摩阻 %8 Pa/m\n管段压降 %9 kPa\n")
            .arg(Plain(leavesSource ? segment.nodeI : segment.nodeJ), Plain(leavesSource ? segment.nodeJ : segment.nodeI),
                 Plain(result_.table.Diameter(segment.sizeIndex)), Plain(segment.length),
                 Plain(segment.calculationLength), Picture(segment.flow * sign, "#####.0"),
                 Picture(segment.velocity * sign, "##0.##"), Picture(segment.specificLoss * sign, "####0.#"),
                 Picture(segment.pressureDifference * sign / kPaPerKPa, "####0.##")) +
        QString("供水压力 %1 kPa\n回水压力 %2 kPa\n供回水压差 %3 kPa")
            .arg(Picture(end.supplyPressure / kPaPerKPa, "####0.0#"), Picture(end.returnPressure / kPaPerKPa, "####0.0#"),
                 Picture(end.pressureDifference / kPaPerKPa, "####0.0#"));
    const double limit = ZoneLimit(segment, model.branchStartNode);
    const QString loss = Picture(std::fabs(segment.specificLoss), "####0.#");
    if (HeldAtLargestSize(mapSegment))
        text += QString("\n已取最大管径,比摩阻 %1 Pa/m 仍超过限值 %2 Pa/m").arg(loss).arg(limit);
    else if (OverLimit(mapSegment))
        text += QString("\n比摩阻 %1 Pa/m 超过限值 %2 Pa/m").arg(loss).arg(limit);
    return text;
}

QString MapResults::DescribeNode(int mapNode) const {
    const NetworkNode* node = Node(mapNode);
    if (!node) return {};
    const NetworkModel& model = result_.model;
    QString text = QString("节点 %1\n热负荷 %2 MW\n水量 %3 t/h\n供水压力 %4 kPa\n回水压力 %5 kPa\n供回水压差 %6 kPa")
                       .arg(Plain(numbers_[mapNode]), Picture(FlowToLoad(node->demand, model.supplyTemperature, model.returnTemperature), "###0.0#"),
                            Picture(node->demand, "####0.#"), Picture(node->supplyPressure / kPaPerKPa, "###0.##"),
                            Picture(node->returnPressure / kPaPerKPa, "###0.##"),
                            Picture(node->pressureDifference / kPaPerKPa, "###0.0#"));
    if (node->demand < 0) text += "\n热源";
    if (LowPressure(mapNode)) text += "\nP<2100";
    return text;
}

}  // namespace heatnet
