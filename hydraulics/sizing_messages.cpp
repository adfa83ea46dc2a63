#include "hydraulics/sizing_messages.h"

#include <array>
#include <set>
#include <utility>

#include "data/number_text.h"

namespace heatnet {
namespace {

// The names of the found segments, joined by 、; segments that would be named
// alike (between the same two nodes) are named once. `name` gives one text
// per part of the message that names a segment.
template <std::size_t Parts, typename Name>
std::array<std::string, Parts> JoinedNames(const NetworkModel& model, const SegmentsInOrder& found,
                                           Name name) {
    std::array<std::string, Parts> joined;
    std::set<std::array<std::string, Parts>> named;
    for (const int s : found.InOrder()) {
        std::array<std::string, Parts> names = name(model.segments[s]);
        if (!named.insert(names).second) continue;
        for (std::size_t part = 0; part < Parts; ++part)
            joined[part] += (joined[part].empty() ? "" : "、") + names[part];
    }
    return joined;
}

}  // namespace

std::string ZeroFlowMessage(const NetworkModel& model) {
    const auto [ends] = JoinedNames<1>(model, model.sizing.zeroPressureDifference,
                                       [](const NetworkSegment& segment) {
        return std::array{NumberToBoxText(segment.nodeI) + "或" + NumberToBoxText(segment.nodeJ)};
    });
    return ends.empty() ? std::string() : "管段流量为0,请检查节点" + ends;
}

std::string SmallFlowMessage(const NetworkModel& model) {
    const auto [indices, nodes] = JoinedNames<2>(model, model.sizing.smallFlow,
                                                 [](const NetworkSegment& segment) {
        return std::array{
            NumberToBoxText(double(segment.indexI)) + "到" + NumberToBoxText(double(segment.indexJ)),
            NumberToBoxText(segment.nodeI) + " " + NumberToBoxText(segment.nodeJ)};
    });
    return indices.empty() ? std::string() : "节点" + indices + "管段流量太小,请检查" + nodes;
}

std::string LargestSizeMessage(const NetworkModel& model, const StandardPipeTable& table) {
    const auto [names] = JoinedNames<1>(model, model.sizing.heldAtLargestSize,
                                        [](const NetworkSegment& segment) {
        return std::array{NumberInText(segment.nodeI) + "-" + NumberInText(segment.nodeJ)};
    });
    if (names.empty()) return {};
    return "管段" + names + "已取最大标准管径" +
           NumberInText(table.Diameter(StandardPipeTable::kSizes)) + "mm,比摩阻仍超过限值,请检查";
}

}  // namespace heatnet
