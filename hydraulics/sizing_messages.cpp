#include "hydraulics/sizing_messages.h"

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

std::string LargestSizeMessage(const NetworkSegment& segment, const StandardPipeTable& table) {
    return "管段" + NumberInText(segment.nodeI) + "-" + NumberInText(segment.nodeJ) +
           "已取最大标准管径" + NumberInText(table.Diameter(segment.sizeIndex)) +
           "mm,比摩阻仍超过限值,请检查";
}

}  // namespace heatnet
