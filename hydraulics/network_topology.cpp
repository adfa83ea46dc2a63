#include "hydraulics/network_topology.h"

#include <map>
#include <utility>

#include "data/number_text.h"

namespace heatnet {
namespace {

// The message about unconnected segments names this many and then says "等".
constexpr size_t kMostSegmentsNamed = 5;

}  // namespace

std::string UnconnectedSegmentName(int record, const std::string& smaller, const std::string& larger) {
    return "第" + std::to_string(record) + "根管道(节点" + smaller + "-" + larger + ")";
}

std::string UnconnectedSegmentsMessage(const std::vector<std::string>& names) {
    std::string list;
    for (size_t shown = 0; shown < names.size() && shown < kMostSegmentsNamed; ++shown)
        list += (shown ? "、" : "") + names[shown];
    return "有" + std::to_string(names.size()) + "根管道与主热源(节点0)不相连:" + list +
           (names.size() > kMostSegmentsNamed ? "等" : "") + ",请检查管段起点和终点编号。";
}

std::string OrderByConnectionWalk(NetworkModel& model) {
    const std::vector<NetworkSegment>& inFileOrder = model.segments;
    const size_t count = inFileOrder.size();
    std::vector<bool> appended(count, false);
    std::vector<NetworkSegment> ordered;
    ordered.reserve(count);

    double current = 0;  // the main heat source
    auto scan = [&] {
        for (size_t f = 0; f < count; ++f) {
            if (appended[f]) continue;
            const NetworkSegment& segment = inFileOrder[f];
            if (current == ValueOf(segment.nodeJ)) {
                current = ValueOf(segment.nodeI);
            } else if (current == ValueOf(segment.nodeI)) {
                current = ValueOf(segment.nodeJ);
            } else {
                continue;
            }
            appended[f] = true;
            ordered.push_back(segment);
        }
    };
    scan();
    for (size_t j = 0; j < ordered.size(); ++j) {
        current = ValueOf(ordered[j].nodeI);
        scan();
        current = ValueOf(ordered[j].nodeJ);
        scan();
    }

    if (ordered.size() != count) {
        std::vector<std::string> names;
        for (size_t f = 0; f < count; ++f)
            if (!appended[f])
                names.push_back(UnconnectedSegmentName(static_cast<int>(f) + 1, NumberInText(inFileOrder[f].nodeJ),
                                                       NumberInText(inFileOrder[f].nodeI)));
        return UnconnectedSegmentsMessage(names);
    }
    model.segments = std::move(ordered);
    return {};
}

std::string NumberNodes(NetworkModel& model) {
    std::map<double, int> indexOf;
    int counter = 0;
    auto number = [&](const Number& node) {
        auto [entry, inserted] = indexOf.try_emplace(ValueOf(node), counter);
        if (inserted) ++counter;
        return entry->second;
    };
    for (NetworkSegment& segment : model.segments) {
        segment.indexJ = number(segment.nodeJ);
        segment.indexI = number(segment.nodeI);
    }
    const int distinctNodes = model.segments.empty() ? 1 : counter;
    if (distinctNodes != model.nodeCount)
        return "节点数为" + std::to_string(model.nodeCount) + ",但管道中出现的不同节点编号(含主热源0)共" +
               std::to_string(distinctNodes) + "个,请检查节点数和管段编号。";

    for (NetworkSegment& segment : model.segments) {
        if (segment.indexI == 0) segment.indexI = model.sourceIndex;
        if (segment.indexJ == 0) segment.indexJ = model.sourceIndex;
        if (segment.indexJ > segment.indexI) {
            std::swap(segment.indexI, segment.indexJ);
            std::swap(segment.nodeI, segment.nodeJ);
        }
    }
    return {};
}

}  // namespace heatnet
