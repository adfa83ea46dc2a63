#include "app/entry_windows/entry_checks.h"

#include <algorithm>
#include <vector>

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

// The nodes of one check, in the order found, each once.
class NodeList {
public:
    void Add(const Number& node) {
        if (std::ranges::find(values_, ValueOf(node)) != values_.end()) return;
        // Each number as its box shows it, sign blank included: " 3、 5、 12".
        if (!values_.empty()) text_ += "、";
        text_ += NumberToBoxText(node);
        values_.push_back(ValueOf(node));
    }
    std::optional<std::string> Message(const char* sentence) const {
        if (values_.empty()) return std::nullopt;
        return text_ + sentence;
    }

private:
    std::vector<double> values_;
    std::string text_;
};

}  // namespace

std::optional<std::string> MissingLoadMessage(const ProjectData& data) {
    NodeList missing;
    for (int i = 1; i <= PipesInUse(data); ++i)
        for (const Number& end : {data.pipes[i].startNode, data.pipes[i].endNode})
            if (ValueOf(end) > 0 && !HasLoadRecord(data, ValueOf(end))) missing.Add(end);
    return missing.Message("节点负荷没有输入");
}

std::optional<std::string> OrphanLoadMessage(const ProjectData& data) {
    NodeList orphans;
    for (int k = 1; k <= LoadsInUse(data); ++k)
        if (!TouchedBySegment(data, ValueOf(data.loads[k].node))) orphans.Add(data.loads[k].node);
    return orphans.Message("节点负荷不应输入或着管段节点数据输入有误");
}

}  // namespace heatnet
