#include "app/entry_windows/entry_checks.h"

#include <algorithm>

#include "data/base_data_file.h"
#include "data/number_text.h"

namespace heatnet {
namespace {

int PipesInUse(const ProjectData& data) { return std::min(PipeRecordCount(data), kMaxRecords); }
int LoadsInUse(const ProjectData& data) { return std::min(LoadRecordCount(data), kMaxRecords); }

bool HasLoadRecord(const ProjectData& data, double node) {
    for (int k = 1; k <= LoadsInUse(data); ++k)
        if (ValueOf(data.loads[k].node) == node) return true;
    return false;
}

bool TouchedBySegment(const ProjectData& data, double node) {
    for (int i = 1; i <= PipesInUse(data); ++i)
        if (ValueOf(data.pipes[i].startNode) == node || ValueOf(data.pipes[i].endNode) == node)
            return true;
    return false;
}

}  // namespace

std::vector<std::string> MissingLoadMessages(const ProjectData& data) {
    std::vector<std::string> messages;
    for (int i = 1; i <= PipesInUse(data); ++i) {
        for (const Number& end : {data.pipes[i].startNode, data.pipes[i].endNode}) {
            const double node = ValueOf(end);
            if (node > 0 && !HasLoadRecord(data, node))
                messages.push_back(NumberToBoxText(end) + "节点负荷没有输入");
        }
    }
    return messages;
}

std::vector<std::string> OrphanLoadMessages(const ProjectData& data) {
    std::vector<std::string> messages;
    for (int k = 1; k <= LoadsInUse(data); ++k) {
        const Number& node = data.loads[k].node;
        if (!TouchedBySegment(data, ValueOf(node)))
            messages.push_back(NumberToBoxText(node) + "节点负荷不应输入或着管段节点数据输入有误");
    }
    return messages;
}

}  // namespace heatnet
