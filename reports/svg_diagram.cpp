#include "reports/svg_diagram.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "data/file_io.h"
#include "data/number_text.h"

namespace heatnet {
namespace {

constexpr double kWidth = 1200, kHeight = 720;
constexpr double kLeft = 90, kRight = 200, kTop = 60, kBottom = 70;
constexpr double kPlotWidth = kWidth - kLeft - kRight, kPlotHeight = kHeight - kTop - kBottom;
// A node number label: room for about six digits at font size 11.
constexpr double kLabelWidth = 40, kLabelHeight = 13;
constexpr const char* kSupplyColour = "#d62728";
constexpr const char* kReturnColour = "#1f60c8";
constexpr const char* kLowColour = "#ff8c00";

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    return result == "-0" || result == "-0.0" || result == "-0.00" ? result.substr(1) : result;
}

// Length of the well-formed UTF-8 sequence starting at `at`, 0 when there is none.
size_t Utf8SequenceLength(std::string_view text, size_t at) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    const size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                                                        : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k)
        if ((byte(at + k) & 0xC0) != 0x80) return 0;
    return length;
}

// Text content and attribute values: markup characters escaped, and what XML
// cannot hold (control characters, bytes that are no UTF-8, as a file name in
// another encoding may bring) shown as "?", so the document always parses.
std::string Escaped(std::string_view text) {
    std::string out;
    for (size_t at = 0; at < text.size();) {
        const char c = text[at];
        const size_t length = Utf8SequenceLength(text, at);
        if (length == 0 || (length == 1 && static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')) {
            out += '?';
            ++at;
            continue;
        }
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out.append(text.substr(at, length));
        }
        at += length;
    }
    return out;
}

std::string NodeNumberText(const PlotNode& node) {
    return node.nodeNumber ? NumberInText(node.nodeNumber) : "0";
}

// Maps metres and kPa onto the drawing; the axes run from their first tick to their last.
struct Frame {
    std::vector<double> distanceTicks, pressureTicks;
    double X(double metres) const {
        return kLeft + (metres - distanceTicks.front()) * PixelsPerMetre();
    }
    double Y(double kPa) const {
        return kTop + kPlotHeight - (kPa - pressureTicks.front()) * PixelsPerKPa();
    }
    double PixelsPerMetre() const { return kPlotWidth / (distanceTicks.back() - distanceTicks.front()); }
    double PixelsPerKPa() const { return kPlotHeight / (pressureTicks.back() - pressureTicks.front()); }
    std::string Point(double metres, double kPa) const { return Fixed(X(metres), 1) + "," + Fixed(Y(kPa), 1); }
};

void WriteAxes(const Frame& frame, std::string& out) {
    out += "<g class=\"axes\" stroke=\"#000\" stroke-width=\"1\" font-size=\"12\">\n";
    const double bottom = kTop + kPlotHeight, right = kLeft + kPlotWidth;
    for (double t : frame.distanceTicks) {
        const std::string x = Fixed(frame.X(t), 1);
        out += "<line x1=\"" + x + "\" y1=\"" + Fixed(kTop, 1) + "\" x2=\"" + x + "\" y2=\"" + Fixed(bottom, 1) +
               "\" stroke=\"#e4e4e4\"/>\n";
        out += "<text x=\"" + x + "\" y=\"" + Fixed(bottom + 18, 1) + "\" text-anchor=\"middle\" stroke=\"none\">" +
               PlainMagnitudeText(t) + "</text>\n";
    }
    for (double t : frame.pressureTicks) {
        const std::string y = Fixed(frame.Y(t), 1);
        out += "<line x1=\"" + Fixed(kLeft, 1) + "\" y1=\"" + y + "\" x2=\"" + Fixed(right, 1) + "\" y2=\"" + y +
               "\" stroke=\"#e4e4e4\"/>\n";
        out += "<text x=\"" + Fixed(kLeft - 6, 1) + "\" y=\"" + Fixed(frame.Y(t) + 4, 1) +
               "\" text-anchor=\"end\" stroke=\"none\">" + Escaped(SignedPlainText(t).substr(t < 0 ? 0 : 1)) +
               "</text>\n";
    }
    out += "<polyline fill=\"none\" points=\"" + Fixed(kLeft, 1) + "," + Fixed(kTop, 1) + " " + Fixed(kLeft, 1) +
           "," + Fixed(bottom, 1) + " " + Fixed(right, 1) + "," + Fixed(bottom, 1) + "\"/>\n";
    out += "<text x=\"" + Fixed(kLeft + kPlotWidth / 2, 1) + "\" y=\"" + Fixed(bottom + 45, 1) +
           "\" text-anchor=\"middle\" stroke=\"none\" font-size=\"14\">距热源距离(m)</text>\n";
    out += "<text x=\"20\" y=\"" + Fixed(kTop + kPlotHeight / 2, 1) + "\" text-anchor=\"middle\" stroke=\"none\" "
           "font-size=\"14\" transform=\"rotate(-90 20 " + Fixed(kTop + kPlotHeight / 2, 1) + ")\">压力(kPa)</text>\n";
    out += "</g>\n";
}

void WriteLines(const PressurePlot& plot, const Frame& frame, std::string& out) {
    out += "<g class=\"rings\" fill=\"none\" stroke-width=\"1\" stroke-dasharray=\"5,3\">\n";
    for (const RingSegment& ring : plot.rings) {
        const PlotNode &from = plot.nodes[ring.from], &to = plot.nodes[ring.to];
        out += "<polyline class=\"ring-supply\" stroke=\"" + std::string(kSupplyColour) + "\" points=\"" +
               frame.Point(from.distance, from.supply) + " " + frame.Point(to.distance, to.supply) + "\"/>\n";
        out += "<polyline class=\"ring-return\" stroke=\"" + std::string(kReturnColour) + "\" points=\"" +
               frame.Point(from.distance, from.ret) + " " + frame.Point(to.distance, to.ret) + "\"/>\n";
    }
    out += "</g>\n<g class=\"lines\" fill=\"none\" stroke-linejoin=\"round\">\n";
    // Branches first, so the main line is painted over them.
    for (auto line = plot.lines.rbegin(); line != plot.lines.rend(); ++line) {
        for (bool supply : {true, false}) {
            std::string points;
            for (int p : line->nodes) {
                const PlotNode& node = plot.nodes[p];
                if (!points.empty()) points += ' ';
                points += frame.Point(node.distance, supply ? node.supply : node.ret);
            }
            out += std::string("<polyline class=\"") + (supply ? "supply" : "return") +
                   (line->mainLine ? " main" : "") + "\" stroke=\"" + (supply ? kSupplyColour : kReturnColour) +
                   "\" stroke-width=\"" + (line->mainLine ? "3" : "1.2") + "\" points=\"" + points + "\"/>\n";
        }
    }
    out += "</g>\n";
}

void WriteNodes(const PressurePlot& plot, const Frame& frame, std::string& out) {
    out += "<g class=\"nodes\">\n";
    for (const PlotNode& node : plot.nodes) {
        const std::string x = Fixed(frame.X(node.distance), 1);
        const std::string ys = Fixed(frame.Y(node.supply), 1), yr = Fixed(frame.Y(node.ret), 1);
        out += "<g class=\"node\"><title>节点 " + Escaped(NodeNumberText(node)) + "&#10;距热源 " +
               Fixed(node.distance, 1) + " m&#10;供水压力 " + Fixed(node.supply, 2) + " kPa&#10;回水压力 " +
               Fixed(node.ret, 2) + " kPa&#10;资用压差 " + Fixed(node.Available(), 2) + " kPa" +
               (node.lowPressure ? "&#10;低压节点" : "") + "</title>";
        if (node.lowPressure)
            out += "<circle cx=\"" + x + "\" cy=\"" + ys + "\" r=\"6\" fill=\"none\" stroke=\"" + kLowColour +
                   "\" stroke-width=\"2\"/>";
        out += "<circle cx=\"" + x + "\" cy=\"" + ys + "\" r=\"2.5\" fill=\"" + kSupplyColour + "\"/>";
        out += "<circle cx=\"" + x + "\" cy=\"" + yr + "\" r=\"2.5\" fill=\"" + kReturnColour + "\"/></g>\n";
    }
    out += "</g>\n<g class=\"labels\" font-size=\"11\" text-anchor=\"middle\">\n";
    for (int p : LabelledNodes(plot, frame.PixelsPerMetre(), frame.PixelsPerKPa(), kLabelWidth, kLabelHeight)) {
        const PlotNode& node = plot.nodes[p];
        out += "<text x=\"" + Fixed(frame.X(node.distance), 1) + "\" y=\"" + Fixed(frame.Y(node.supply) - 4, 1) +
               "\">" + Escaped(NodeNumberText(node)) + "</text>\n";
    }
    out += "</g>\n";
}

void WriteLegend(std::string& out) {
    const double x = kWidth - kRight + 25, y = kTop + 10;
    struct Entry {
        const char* text;
        std::string mark;
    };
    const std::string line = "<line x1=\"0\" y1=\"0\" x2=\"28\" y2=\"0\" stroke=\"";
    const Entry entries[] = {
        {"供水压力线", line + kSupplyColour + "\" stroke-width=\"1.2\"/>"},
        {"回水压力线", line + kReturnColour + "\" stroke-width=\"1.2\"/>"},
        {"主干线", line + "#555\" stroke-width=\"3\"/>"},
        {"低压节点", std::string("<circle cx=\"14\" cy=\"0\" r=\"6\" fill=\"none\" stroke=\"") + kLowColour +
                         "\" stroke-width=\"2\"/>"},
    };
    out += "<g class=\"legend\" font-size=\"13\">\n<rect x=\"" + Fixed(x - 10, 1) + "\" y=\"" + Fixed(y - 8, 1) +
           "\" width=\"150\" height=\"112\" fill=\"#fff\" stroke=\"#999\"/>\n";
    for (size_t k = 0; k < std::size(entries); ++k) {
        out += "<g transform=\"translate(" + Fixed(x, 1) + " " + Fixed(y + 12 + 26 * k, 1) + ")\">" +
               entries[k].mark + "<text x=\"38\" y=\"4\">" + entries[k].text + "</text></g>\n";
    }
    out += "</g>\n";
}

}  // namespace

std::string FormatDiagramSvg(const PressurePlot& plot, const std::string& title) {
    Frame frame;
    frame.distanceTicks = AxisTicks(0, plot.farthest, 8);
    frame.pressureTicks = AxisTicks(plot.lowest, plot.highest, 6);
    if (frame.distanceTicks.size() < 2) frame.distanceTicks = {0, 1};
    if (frame.pressureTicks.size() < 2) frame.pressureTicks = {0, 1};

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Fixed(kWidth, 0) + "\" height=\"" +
           Fixed(kHeight, 0) + "\" viewBox=\"0 0 " + Fixed(kWidth, 0) + " " + Fixed(kHeight, 0) +
           "\" font-family=\"sans-serif\">\n";
    out += "<title>" + Escaped(title) + "</title>\n";
    out += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
    out += "<text x=\"" + Fixed(kWidth / 2, 1) + "\" y=\"32\" text-anchor=\"middle\" font-size=\"18\">" +
           Escaped(title) + "</text>\n";
    WriteAxes(frame, out);
    WriteLines(plot, frame, out);
    WriteNodes(plot, frame, out);
    WriteLegend(out);
    out += "</svg>\n";
    return out;
}

bool WriteDiagramSvg(const std::string& path, const PressurePlot& plot, const std::string& title) {
    return WriteFileReplacing(path, FormatDiagramSvg(plot, title));
}

}  // namespace heatnet
