#include "reports/diagram_template.h"

#include <optional>

#include "data/file_io.h"

namespace heatnet {

DiagramTemplate CopyDiagramTemplate(std::string_view content, const std::string& path) {
    DiagramTemplate copy;
    size_t at = 0;
    while (at < content.size()) {
        size_t end = content.find_first_of(",\r\n", at);
        if (end == std::string_view::npos) end = content.size();
        std::string_view item = content.substr(at, end - at);
        while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
        if (item == "EOF") return copy;
        copy.lines.append(item).append("\r\n");
        // A CR LF pair is one line end, not an empty item between two ends.
        if (end + 1 < content.size() && content[end] == '\r' && content[end + 1] == '\n') ++end;
        at = end + 1;
    }
    return {{}, "水压图样板文件 " + path + " 中没有结束标记EOF,无法生成水压图。"};
}

DiagramTemplate ReadDiagramTemplate(const std::string& path) {
    const std::optional<std::string> content = ReadWholeFile(path);
    if (!content) return {{}, "找不到水压图样板文件 " + path + ",无法生成水压图。"};
    return CopyDiagramTemplate(*content, path);
}

}  // namespace heatnet
