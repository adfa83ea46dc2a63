#pragma once

#include <string>
#include <string_view>

namespace heatnet {

// The drawing's header and layer table come from a file shipped beside the
// program; the diagram itself adds only the ENTITIES section.
inline constexpr const char* kDiagramTemplateName = "ybdwg.dat";

struct DiagramTemplate {
    std::string lines;  // every item before the end mark, one CR LF line each
    std::string error;  // empty when the template could be used
};

// Items end at a comma or a line end and lose their leading blanks; the first
// item reading exactly EOF ends the copy.
DiagramTemplate CopyDiagramTemplate(std::string_view content, const std::string& path);
DiagramTemplate ReadDiagramTemplate(const std::string& path);

}  // namespace heatnet
