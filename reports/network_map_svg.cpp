// The network map as SVG, for the batch command and any browser: the same
// geometry the windows paint.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "data/number_text.h"
#include "hydraulics/sizing_rules.h"
#include "hydraulics/units.h"
#include "reports/format_picture.h"
#include "reports/network_map.h"

namespace heatnet {
namespace {

constexpr double kMargin = 40, kLegendWidth = 260, kLineHeight = 16;
constexpr const char* kFaultColour = "#d62728";
constexpr const char* kOverLimitColour = "#d62728";
constexpr const char* kHeldColour = "#7b1fa2";
constexpr const char* kLowColour = "#ff8c00";
constexpr const char* kPlainSegment = "#555555";
constexpr const char* kPlainNode = "#ffffff";
using Rgb = std::array<double, 3>;
// Low to high; red is kept for faults and segments over their limit.
constexpr std::array<Rgb, 5> kSegmentRamp = {{{33, 102, 172}, {67, 147, 195}, {26, 152, 80}, {166, 217, 106},
                                              {230, 200, 60}}};
constexpr std::array<Rgb, 2> kNodeRamp = {{{255, 255, 204}, {0, 104, 55}}};

std::string Fixed(double value, int decimals = 1) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "&#10;"; break;
        default: out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
        }
    }
    return out;
}

template <size_t N>
std::string Colour(const std::array<Rgb, N>& ramp, double share) {
    const double at = std::clamp(std::isfinite(share) ? share : 0.0, 0.0, 1.0) * (N - 1);
    const size_t k = std::min(static_cast<size_t>(at), N - 2);
    char text[8];
    int rgb[3];
    for (int c = 0; c < 3; ++c) rgb[c] = static_cast<int>(std::lround(ramp[k][c] + (ramp[k + 1][c] - ramp[k][c]) * (at - k)));
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
    return text;
}

struct Range {
    double low = INFINITY, high = -INFINITY;
    void Take(double v) { low = std::min(low, v), high = std::max(high, v); }
    double Share(double v) const { return high > low ? (v - low) / (high - low) : 0.5; }
};

const char* QuantityName(MapQuantity quantity) {
    switch (quantity) {
    case MapQuantity::kDiameter: return "管径(mm)";
    case MapQuantity::kLossShareOfLimit: return "比摩阻/限值";
    case MapQuantity::kVelocity: return "流速(m/s)";
    case MapQuantity::kFlow: return "流量(t/h)";
    }
    return "";
}

// One segment's results as the report prints its row, read from its upstream end.
struct SegmentResult {
    const NetworkSegment* segment = nullptr;
    int position = 0;  // 0-based position in the calculation's list
    double diameter = 0, share = 0;
    bool held = false;
};

class Picture {
public:
    Picture(const NetworkMap& map, const NetworkModel* results, const StandardPipeTable* table, MapQuantity quantity)
        : map_(map), model_(table ? results : nullptr), table_(table), quantity_(quantity) {
        const MapPoint span = {map.highest.x - map.lowest.x, map.highest.y - map.lowest.y};
        // About an inch a node when laid out, within what a screen or a page holds.
        const double longest = std::clamp(60.0 * std::sqrt(double(map.nodes.size())), 400.0, 4000.0);
        const double largest = std::max(span.x, span.y);
        scale_ = largest > 0 ? longest / largest : 1;
        width_ = span.x * scale_ + 2 * kMargin + kLegendWidth;
        height_ = std::max(span.y * scale_ + 2 * kMargin, 260.0) + kLineHeight * (map.faults.size() + 1);
        if (model_) TakeResults();
    }

    std::string Svg(const std::string& title) const {
        std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                          Fixed(width_, 0) + "\" height=\"" + Fixed(height_, 0) + "\" viewBox=\"0 0 " + Fixed(width_, 0) +
                          " " + Fixed(height_, 0) + "\" font-family=\"sans-serif\">\n<title>" + Escaped(title) +
                          "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
        out += "<text x=\"" + Fixed(kMargin) + "\" y=\"24\" font-size=\"16\">" + Escaped(title) + "</text>\n";
        Segments(out);
        Nodes(out);
        if (model_) Legend(out);
        Faults(out);
        return out + "</svg>\n";
    }

private:
    double X(const MapPoint& p) const { return kMargin + (p.x - map_.lowest.x) * scale_; }
    double Y(const MapPoint& p) const { return kMargin + (p.y - map_.lowest.y) * scale_; }
    std::string NodeText(int n) const { return NumberInText(Number(map_.nodes[n].number)); }

    void TakeResults() {
        const NetworkModel& model = *model_;
        results_.resize(map_.segments.size());
        for (int s = 0; s < model.SegmentCount(); ++s) {
            const NetworkSegment& segment = model.segments[s];
            if (segment.record < 0 || segment.record >= static_cast<int>(results_.size())) continue;
            SegmentResult& result = results_[segment.record];
            result = {&segment, s, table_->Diameter(segment.sizeIndex),
                      std::fabs(segment.specificLoss) / ZoneLimit(segment, model.branchStartNode),
                      model.sizing.heldAtLargestSize.Holds(s)};
            diameters_.Take(result.diameter);
            values_.Take(Value(result));
            indexOf_[ValueOf(segment.nodeI)] = segment.indexI;
            indexOf_[ValueOf(segment.nodeJ)] = segment.indexJ;
        }
        indexOf_[0] = model.sourceIndex;
        if (quantity_ == MapQuantity::kLossShareOfLimit) values_ = {0, 1};
        for (const auto& [number, index] : indexOf_) differences_.Take(model.nodes[index].pressureDifference / kPaPerKPa);
    }

    double Value(const SegmentResult& r) const {
        switch (quantity_) {
        case MapQuantity::kDiameter: return r.diameter;
        case MapQuantity::kLossShareOfLimit: return r.share;
        case MapQuantity::kVelocity: return std::fabs(r.segment->velocity);
        case MapQuantity::kFlow: return std::fabs(r.segment->flow);
        }
        return 0;
    }

    std::string ResultTitle(const SegmentResult& r) const {
        const NetworkSegment& s = *r.segment;
        const double sign = s.indexI == model_->sourceIndex ? 1 : -1;
        return "\n管径 " + Fixed(r.diameter, 0) + " mm\n长度 " + NumberInText(s.length) + " m\n流量 " +
               FormatWithPicture(s.flow * sign, "#####.0") + " t/h\n流速 " +
               FormatWithPicture(s.velocity * sign, "##0.##") + " m/s\n比摩阻 " +
               FormatWithPicture(s.specificLoss * sign, "####0.#") + " Pa/m(限值 " +
               Fixed(ZoneLimit(s, model_->branchStartNode), 0) + ")" + (r.held ? "\n已取最大管径仍超过限值" : "");
    }

    std::string FaultLines(bool segment, int position) const {
        std::string lines;
        for (const TopologyFault& fault : map_.faults) {
            const std::vector<int>& named = segment ? fault.segments : fault.nodes;
            if (std::ranges::find(named, position) != named.end()) lines += "\n" + fault.message;
        }
        return lines;
    }

    void Segments(std::string& out) const {
        out += "<g class=\"segments\" stroke-linecap=\"round\">\n";
        for (size_t s = 0; s < map_.segments.size(); ++s) {
            const MapSegment& segment = map_.segments[s];
            const MapPoint &a = map_.nodes[segment.from].at, &b = map_.nodes[segment.to].at;
            std::string kind = "segment", colour = kPlainSegment, width = "2";
            std::string title = "第" + std::to_string(segment.record + 1) + "根管道 节点" + NodeText(segment.from) +
                                "-" + NodeText(segment.to);
            if (!results_.empty() && results_[s].segment) {
                const SegmentResult& r = results_[s];
                colour = Colour(kSegmentRamp, values_.Share(Value(r)));
                width = Fixed(1.5 + 5 * diameters_.Share(r.diameter));
                if (r.share > 1) kind += " over-limit", colour = kOverLimitColour;
                if (r.held) kind += " held", colour = kHeldColour;
                title += ResultTitle(r);
            }
            if (segment.closesRing) kind += " ring", title += "\n闭合环路";
            if (segment.fault) kind += " fault", colour = kFaultColour, title += FaultLines(true, int(s));
            out += "<line class=\"" + kind + "\" data-record=\"" + std::to_string(segment.record) + "\" data-from=\"" +
                   NodeText(segment.from) + "\" data-to=\"" + NodeText(segment.to) + "\" x1=\"" + Fixed(X(a)) +
                   "\" y1=\"" + Fixed(Y(a)) + "\" x2=\"" + Fixed(X(b)) + "\" y2=\"" + Fixed(Y(b)) + "\" stroke=\"" +
                   colour + "\" stroke-width=\"" + width + "\"" +
                   (segment.closesRing ? " stroke-dasharray=\"6,4\"" : "") + "><title>" + Escaped(title) +
                   "</title></line>\n";
        }
        out += "</g>\n";
    }

    void Nodes(std::string& out) const {
        out += "<g class=\"nodes\" font-size=\"10\">\n";
        for (size_t n = 0; n < map_.nodes.size(); ++n) {
            const MapNode& node = map_.nodes[n];
            std::string kind = "node", fill = kPlainNode, stroke = "#333333", title = "节点 " + NodeText(int(n));
            const auto index = indexOf_.find(node.number);
            if (index != indexOf_.end()) {
                const NetworkNode& values = model_->nodes[index->second];
                fill = Colour(kNodeRamp, differences_.Share(values.pressureDifference / kPaPerKPa));
                title += "\n供水压力 " + FormatWithPicture(values.supplyPressure / kPaPerKPa, "####0.0#") +
                         " kPa\n回水压力 " + FormatWithPicture(values.returnPressure / kPaPerKPa, "####0.0#") +
                         " kPa\n供回水压差 " + FormatWithPicture(values.pressureDifference / kPaPerKPa, "####0.0#") +
                         " kPa";
                // The condition of the calculation's "P<2100" lines.
                if (!(values.supplyPressure > model_->lastUserResistance))
                    kind += " low-pressure", stroke = kLowColour, title += "\nP<2100";
            }
            if (node.fault) kind += " fault", fill = kFaultColour, title += FaultLines(false, int(n));
            const std::string x = Fixed(X(node.at)), y = Fixed(Y(node.at));
            out += "<g class=\"" + kind + "\" data-node=\"" + NodeText(int(n)) + "\"><title>" + Escaped(title) +
                   "</title><circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"" + (node.number == 0 ? "6" : "4") +
                   "\" fill=\"" + fill + "\" stroke=\"" + stroke + "\" stroke-width=\"" +
                   (stroke == kLowColour ? "2.5" : "1") + "\"/><text x=\"" + Fixed(X(node.at) + 6) + "\" y=\"" +
                   Fixed(Y(node.at) - 5) + "\">" + Escaped(NodeText(int(n))) + "</text></g>\n";
        }
        out += "</g>\n";
    }

    void Ramp(std::string& out, double top, const char* name, const Range& range, bool nodes) const {
        const double left = width_ - kLegendWidth + 10;
        out += "<text x=\"" + Fixed(left) + "\" y=\"" + Fixed(top) + "\">" + name + "</text>\n";
        for (int k = 0; k < 10; ++k) {
            const double share = k / 9.0;
            out += "<rect x=\"" + Fixed(left + k * 20) + "\" y=\"" + Fixed(top + 6) + "\" width=\"20\" height=\"12\" fill=\"" +
                   (nodes ? Colour(kNodeRamp, share) : Colour(kSegmentRamp, share)) + "\"/>\n";
        }
        const auto value = [](double v) { return FormatWithPicture(std::isfinite(v) ? v : 0, "####0.0#"); };
        out += "<text x=\"" + Fixed(left) + "\" y=\"" + Fixed(top + 32) + "\">" + value(range.low) + "</text><text x=\"" +
               Fixed(left + 200) + "\" y=\"" + Fixed(top + 32) + "\" text-anchor=\"end\">" + value(range.high) + "</text>\n";
    }

    void Legend(std::string& out) const {
        out += "<g class=\"legend\" font-size=\"12\">\n";
        Ramp(out, kMargin, QuantityName(quantity_), values_, false);
        const double left = width_ - kLegendWidth + 10;
        const std::array<std::pair<const char*, const char*>, 3> marks = {
            {{kOverLimitColour, "超过比摩阻限值"}, {kHeldColour, "已取最大管径仍超限"}, {kLowColour, "P<2100 节点"}}};
        for (size_t k = 0; k < marks.size(); ++k) {
            const double y = kMargin + 52 + 18 * k;
            out += "<rect x=\"" + Fixed(left) + "\" y=\"" + Fixed(y - 10) + "\" width=\"20\" height=\"10\" fill=\"" +
                   marks[k].first + "\"/><text x=\"" + Fixed(left + 28) + "\" y=\"" + Fixed(y) + "\">" +
                   Escaped(marks[k].second) + "</text>\n";
        }
        out += "<text x=\"" + Fixed(left) + "\" y=\"" + Fixed(kMargin + 116) + "\">虚线: 闭合环路的管段</text>\n";
        Ramp(out, kMargin + 146, "节点供回水压差(kPa)", differences_, true);
        out += "</g>\n";
    }

    void Faults(std::string& out) const {
        if (map_.faults.empty()) return;
        double y = height_ - kLineHeight * (map_.faults.size() + 1) + 12;
        out += "<g class=\"faults\" font-size=\"12\" fill=\"" + std::string(kFaultColour) + "\">\n<text x=\"" +
               Fixed(kMargin) + "\" y=\"" + Fixed(y) + "\">拓扑问题:</text>\n";
        for (const TopologyFault& fault : map_.faults)
            out += "<text class=\"fault-message\" x=\"" + Fixed(kMargin) + "\" y=\"" + Fixed(y += kLineHeight) + "\">" +
                   Escaped(fault.message) + "</text>\n";
        out += "</g>\n";
    }

    const NetworkMap& map_;
    const NetworkModel* model_;
    const StandardPipeTable* table_;
    MapQuantity quantity_;
    double scale_ = 1, width_ = 0, height_ = 0;
    std::vector<SegmentResult> results_;
    std::unordered_map<double, int> indexOf_;
    Range diameters_, values_, differences_;
};

}  // namespace

std::string NetworkMapSvg(const NetworkMap& map, const NetworkModel* results, const StandardPipeTable* table,
                          MapQuantity quantity, const std::string& title) {
    return Picture(map, results, table, quantity).Svg(title);
}

}  // namespace heatnet
