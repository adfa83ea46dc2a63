#include "reports/dxf_diagram.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "data/application_texts.h"
#include "data/file_io.h"
#include "data/number_text.h"
#include "hydraulics/units.h"
#include "reports/diagram_template.h"
#include "reports/format_picture.h"
#include "reports/segment_search_limit.h"

namespace heatnet {
namespace {

// Sets text height, tick length and label offsets; the geometry stays in m and kPa.
constexpr double kScale = 10;
constexpr const char* kPressurePicture = "###0.0";
// Distance ticks every 500 m, every 1000 m when the farthest node lies beyond 5000 m.
constexpr double kTickStep = 500;
constexpr double kLongTickStep = 1000;
constexpr double kLongDiagram = 5000;

// One item per line; group codes are fixed texts whose leading blanks belong to them.
class DxfLines {
public:
    DxfLines& Item(std::string_view text) {
        text_.append(text).append("\r\n");
        return *this;
    }
    DxfLines& Number(double value) { return Item(SignedPlainText(value) + " "); }
    DxfLines& Pressure(double kPa) { return Item(FormatWithPicture(kPa, kPressurePicture)); }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

struct FoundSegment {
    int position = -1;  // 0-based in the ordered list; -1 when none was found
    bool fromSourceToFirst = false;
};

// The segment drawn for node index r: the one from the heat source to index 1
// for r = 0 and r = 1, otherwise the first whose I end is r.
FoundSegment FindSegmentOfNode(const NetworkModel& model, int r) {
    const int searched = std::min(model.SegmentCount(), kSegmentSearchLimit);
    for (int p = 0; p < searched; ++p) {
        const NetworkSegment& segment = model.segments[p];
        const bool sourceToFirst = segment.indexJ == 1 && segment.indexI == model.sourceIndex;
        if ((r <= 1 && sourceToFirst) || segment.indexI == r) return {p, r <= 1 && sourceToFirst};
    }
    return {};
}

struct Layout {
    std::vector<int> segmentOfNode;  // position per r = 0..n
    std::vector<double> distance;    // X per internal index 0..M+1
    double maximum = 0;              // Xmax
};

// Distances from the heat source along the network; nullopt when some node's
// segment lies beyond the searched positions.
std::optional<Layout> LayOut(const NetworkModel& model) {
    Layout layout;
    layout.distance.assign(model.sourceIndex + 1, 0.0);
    std::vector<double>& x = layout.distance;
    for (int r = 0; r <= model.SegmentCount(); ++r) {
        const FoundSegment found = FindSegmentOfNode(model, r);
        if (found.position < 0) return std::nullopt;
        const NetworkSegment& segment = model.segments[found.position];
        const double length = ValueOf(segment.length);
        if (found.fromSourceToFirst) {
            x[model.sourceIndex] = 0;
            x[0] = 0;
            if (r == 1) x[1] = length;
        }
        // At r = 1 the source segment sets the source's own distance to twice its
        // length, and Xmax keeps it.
        x[segment.indexI] = length + x[segment.indexJ];
        if (x[segment.indexI] > layout.maximum) layout.maximum = x[segment.indexI];
        layout.segmentOfNode.push_back(found.position);
    }
    return layout;
}

bool IsMainLine(const NetworkModel& model, const NetworkSegment& segment) {
    const double start = ValueOf(model.branchStartNode);
    return start == 0 || (ValueOf(segment.nodeI) < start && ValueOf(segment.nodeJ) < start);
}

const char* LayerOf(const NetworkModel& model, const NetworkSegment& segment) {
    return IsMainLine(model, segment) ? "RJ-DGX" : "RJ-PH";
}

void WriteLine(DxfLines& out, std::string_view code, std::string_view layer, double x1, double y1,
               double x2, double y2) {
    out.Item(code).Item("LINE").Item("   8").Item(layer);
    out.Item("  10").Number(x1).Item("  20").Number(y1);
    out.Item("  11").Number(x2).Item("  21").Number(y2);
}

void WriteNodeValue(DxfLines& out, double x, double kPa) {
    out.Item("  0").Item("TEXT").Item("   8").Item("RJ-TXT");
    out.Item("  10").Number(x).Item("  20").Number(kPa).Item("  40").Number(3 * kScale);
    out.Item("  1").Pressure(kPa);
}

void WritePressureLines(const NetworkModel& model, const Layout& layout, DxfLines& out) {
    const std::vector<double>& x = layout.distance;
    for (size_t r = 0; r < layout.segmentOfNode.size(); ++r) {
        const NetworkSegment& segment = model.segments[layout.segmentOfNode[r]];
        const NetworkNode& node = model.nodes[r];
        const NetworkNode& end = model.nodes[segment.indexJ];
        WriteLine(out, "   0", LayerOf(model, segment), x[r], node.returnPressure / kPaPerKPa,
                  x[segment.indexJ], end.returnPressure / kPaPerKPa);
        if (IsMainLine(model, segment)) {
            WriteNodeValue(out, x[r], node.returnPressure / kPaPerKPa);
            WriteNodeValue(out, x[r], node.supplyPressure / kPaPerKPa);
        }
    }
    for (size_t r = 0; r < layout.segmentOfNode.size(); ++r) {
        const NetworkSegment& segment = model.segments[layout.segmentOfNode[r]];
        const double endX = x[segment.indexJ];
        WriteLine(out, "   0", LayerOf(model, segment), x[r],
                  model.nodes[r].supplyPressure / kPaPerKPa, endX,
                  model.nodes[segment.indexJ].supplyPressure / kPaPerKPa);
        if (IsMainLine(model, segment)) {
            out.Item("  0").Item("LINE").Item("   8").Item("RJ-TXT");
            out.Item("  10").Number(endX).Item("  20").Item(" 0");
            out.Item("  11").Number(endX).Item("  21").Number(2 * kScale);
        }
    }
}

void WriteCenteredLabel(DxfLines& out, double x, double y, std::string_view text) {
    out.Item("  0").Item("TEXT").Item("   8").Item("RJ-SB");
    out.Item("  10").Number(x).Item("  20").Number(y).Item("  40").Number(3 * kScale);
    out.Item("  1").Item(text).Item("  72").Item("  4");
    out.Item("  11").Number(x).Item("  21").Number(y);
}

void WriteDistanceAxis(double xmax, DxfLines& out) {
    const double below = -4 * kScale;
    out.Item("  0").Item("TEXT").Item("   8").Item("RJ-TXT");
    out.Item("  10").Number(xmax + 10 * kScale).Item("  20").Number(below);
    out.Item("  40").Number(3 * kScale).Item("  1").Item("  (m) L").Item("  72").Item("  4");
    out.Item("  11").Number(xmax + 10 * kScale).Item("  21").Number(below);

    // No tick on or beyond the last distance.
    const double step = xmax > kLongDiagram ? kLongTickStep : kTickStep;
    for (double t = 0; t + step < xmax;) {
        t += step;
        out.Item("  0").Item("LINE").Item("   8").Item("RJ-SB");
        out.Item("  10").Number(t).Item("  20").Item(" 0");
        out.Item("  11").Number(t).Item("  21").Number(2 * kScale);
        WriteCenteredLabel(out, t, below, SignedPlainText(t) + " ");
    }
}

void WritePressureCaption(DxfLines& out, double y, std::string_view text,
                          std::string_view alignedY) {
    out.Item("  0").Item("TEXT").Item("   8").Item("RJ-TXT");
    out.Item("  10").Number(-16 * kScale).Item("  20").Number(y).Item("  40").Number(3 * kScale);
    out.Item("  1").Item(text).Item("  72").Item("  2");
    out.Item("  11").Number(-kScale).Item("  21").Item(alignedY);
}

std::string NumberItem(double value) { return SignedPlainText(value) + " "; }

void WritePressureAxis(const NetworkModel& model, double xmax, DxfLines& out) {
    const double return0 = model.nodes[0].returnPressure / kPaPerKPa;
    const double supply0 = model.nodes[0].supplyPressure / kPaPerKPa;
    const double top = supply0 + 10 * kScale;
    WritePressureCaption(out, return0, "  0", "  0");
    WritePressureCaption(out, return0, FormatWithPicture(return0, kPressurePicture),
                         NumberItem(return0));
    WritePressureCaption(out, supply0, FormatWithPicture(supply0, kPressurePicture),
                         NumberItem(supply0));
    WritePressureCaption(out, top, "  (kPa)", NumberItem(top));
    WritePressureCaption(out, top, "  P", NumberItem(supply0 + 14 * kScale));

    out.Item("   0").Item("LINE").Item("   8").Item("RJ-SB");
    out.Item("  10").Item("  0").Item("  20").Item("  0");
    out.Item("  11").Item("  0").Item("  21").Number(top);
    out.Item("   0").Item("LINE").Item("   8").Item("RJ-SB");
    out.Item("  10").Item("  0").Item("  20").Item("  0");
    out.Item("  11").Number(xmax + 10 * kScale).Item("  21").Item("  0");
}

}  // namespace

std::string FormatDiagramEntities(const NetworkModel& model) {
    DxfLines out;
    out.Item("   0").Item("SECTION").Item("   2").Item("ENTITIES");
    // A network that cannot be laid out still gets a closed section, so that the
    // file left behind is a valid, empty drawing.
    if (const std::optional<Layout> layout = LayOut(model)) {
        WritePressureLines(model, *layout, out);
        WriteDistanceAxis(layout->maximum, out);
        WritePressureAxis(model, layout->maximum, out);
    }
    out.Item("   0").Item("ENDSEC").Item("   0").Item("EOF");
    return out.Take();
}

bool WriteDiagram(const NetworkModel& model, const std::string& templatePath,
                  const std::string& path, UserInteraction& person) {
    const DiagramTemplate header = ReadDiagramTemplate(templatePath);
    if (!header.error.empty()) {
        person.ShowMessage(header.error, kApplicationTitle);
        return false;
    }
    if (WriteFileReplacing(path, header.lines + FormatDiagramEntities(model))) return true;
    person.ShowMessage("无法写入水压图文件 " + path + ",请检查磁盘空间和文件夹权限。",
                       kApplicationTitle);
    return false;
}

}  // namespace heatnet
