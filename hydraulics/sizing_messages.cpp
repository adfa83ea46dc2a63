#include "hydraulics/sizing_messages.h"

#include <set>

#include "data/number_text.h"

namespace heatnet {

std::string ZeroFlowMessage(const NetworkSegment& segment) {
    return "管段流量为0,请检查节点" + NumberToBoxText(segment.nodeI) + "或" +
           NumberToBoxText(segment.nodeJ);
}

std::string SmallFlowMessage(const NetworkSegment& segment) {
    return "节点" + NumberToBoxText(double(segment.indexI)) + "到" +
           NumberToBoxText(double(segment.indexJ)) + "管段流量太小,请检查" +
           NumberToBoxText(segment.nodeI) + " " + NumberToBoxText(segment.nodeJ);
}

std::string LargestSizeMessage(const NetworkModel& model, const StandardPipeTable& table) {
    std::string names;
    std::set<std::string> named;  // segments between the same two nodes are named once
    for (const int s : model.sizing.heldAtLargestSize.InOrder()) {
        const NetworkSegment& segment = model.segments[s];
        std::string name = NumberInText(segment.nodeI) + "-" + NumberInText(segment.nodeJ);
        if (named.insert(name).second) names += (names.empty() ? "" : "、") + name;
    }
    if (names.empty()) return {};
    return "管段" + names + "已取最大标准管径" +
           NumberInText(table.Diameter(StandardPipeTable::kSizes)) + "mm,比摩阻仍超过限值,请检查";
}

}  // namespace heatnet
