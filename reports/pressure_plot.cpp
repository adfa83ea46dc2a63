#include "reports/pressure_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "hydraulics/units.h"
#include "reports/text_report.h"

namespace heatnet {
namespace {

// The DXF diagram's main line: both segment ends numbered below the branch start node.
bool IsMainLineSegment(const NetworkSegment& segment, double start) {
    return ValueOf(segment.nodeI) < start && ValueOf(segment.nodeJ) < start;
}

PlotNode MakeNode(const NetworkModel& model, int index, Number nodeNumber) {
    const NetworkNode& node = model.nodes[index];
    PlotNode plotted;
    plotted.index = index;
    plotted.nodeNumber = nodeNumber;
    plotted.supply = node.supplyPressure / kPaPerKPa;
    plotted.ret = node.returnPressure / kPaPerKPa;
    // Pa against the resistance in kPa, exactly as the "P<2100" trace line tests
    // it, so the diagram marks the same nodes that line names.
    plotted.lowPressure = !(node.supplyPressure > model.lastUserResistance);
    return plotted;
}

// Walks the segments in list order from the source: the first segment to touch
// an unreached node reaches it (its distance is the pipe length beyond its
// parent, as the DXF diagram measures); a segment between two reached nodes
// closes a ring. The list is ordered by the connection walk, so one pass
// reaches every node; further passes only guard against a list not so ordered.
void Walk(const NetworkModel& model, PressurePlot& plot, std::vector<bool>& mainSegment) {
    std::vector<int> positionOf(model.nodes.size(), -1);
    positionOf[model.sourceIndex] = 0;
    plot.nodes.push_back(MakeNode(model, model.sourceIndex, Number(0.0)));
    const double start = ValueOf(model.branchStartNode);
    std::vector<bool> used(model.segments.size(), false);
    for (bool progress = true; progress;) {
        progress = false;
        for (size_t s = 0; s < model.segments.size(); ++s) {
            if (used[s]) continue;
            const NetworkSegment& segment = model.segments[s];
            const int i = positionOf[segment.indexI], j = positionOf[segment.indexJ];
            if (i < 0 && j < 0) continue;
            used[s] = true;
            progress = true;
            if (i >= 0 && j >= 0) {
                plot.rings.push_back({std::min(i, j), std::max(i, j), static_cast<int>(s)});
                continue;
            }
            const int parent = i >= 0 ? i : j;
            const int reached = i >= 0 ? segment.indexJ : segment.indexI;
            PlotNode node = MakeNode(model, reached, NodeNumberOfIndex(model, reached));
            node.parent = parent;
            node.segment = static_cast<int>(s);
            node.distance = plot.nodes[parent].distance + ValueOf(segment.length);
            positionOf[reached] = static_cast<int>(plot.nodes.size());
            plot.nodes.push_back(node);
            mainSegment.push_back(start != 0 && IsMainLineSegment(segment, start));
        }
    }
}

int Farthest(const PressurePlot& plot, const std::vector<bool>& eligible) {
    int farthest = 0;
    for (size_t p = 0; p < plot.nodes.size(); ++p)
        if (eligible[p] && plot.nodes[p].distance > plot.nodes[farthest].distance)
            farthest = static_cast<int>(p);
    return farthest;
}

// The main line's nodes and its polyline: with a branch start node, the nodes
// reached through main-line segments only, drawn to the farthest of them;
// otherwise (or when no segment lies below the start node) the path from the
// source to the farthest node.
std::vector<int> MarkMainLine(PressurePlot& plot, const std::vector<bool>& mainSegment) {
    const size_t count = plot.nodes.size();
    std::vector<bool> main(count, false);
    main[0] = true;
    bool anyMain = false;
    for (size_t p = 1; p < count; ++p) {
        main[p] = mainSegment[p - 1] && main[plot.nodes[p].parent];
        anyMain = anyMain || main[p];
    }
    if (!anyMain) main.assign(count, true);
    const std::vector<int> path = PathFromSource(plot, Farthest(plot, main));
    if (!anyMain) {
        main.assign(count, false);
        for (int p : path) main[p] = true;
    }
    for (size_t p = 0; p < count; ++p) plot.nodes[p].mainLine = main[p];
    return path;
}

// Every node not on the main line lies on one branch line: a branch starts at
// its junction, enters one child and keeps to the first child in walk order,
// so lines stay long; every other child starts a line of its own, taken up in
// the order the lines were drawn.
void DrawLines(PressurePlot& plot, std::vector<int> mainPath) {
    const size_t count = plot.nodes.size();
    std::vector<std::vector<int>> children(count);
    for (size_t p = 1; p < count; ++p) children[plot.nodes[p].parent].push_back(static_cast<int>(p));
    std::vector<bool> drawn(count, false);
    for (int p : mainPath) drawn[p] = true;
    plot.lines.push_back({std::move(mainPath), true});
    for (size_t l = 0; l < plot.lines.size(); ++l) {
        for (size_t k = 0; k < plot.lines[l].nodes.size(); ++k) {
            const int junction = plot.lines[l].nodes[k];
            for (int child : children[junction]) {
                if (drawn[child]) continue;
                PlotLine branch;
                branch.nodes = {junction};
                for (int next = child; next >= 0;) {
                    branch.nodes.push_back(next);
                    drawn[next] = true;
                    const std::vector<int>& below = children[next];
                    next = below.empty() ? -1 : below.front();
                }
                plot.lines.push_back(std::move(branch));  // may move plot.lines: index, not reference
            }
        }
    }
}

}  // namespace

PressurePlot BuildPressurePlot(const NetworkModel& model) {
    PressurePlot plot;
    std::vector<bool> mainSegment;  // per reached node after the source
    Walk(model, plot, mainSegment);
    DrawLines(plot, MarkMainLine(plot, mainSegment));
    plot.lowest = plot.highest = plot.nodes[0].supply;
    for (const PlotNode& node : plot.nodes) {
        plot.farthest = std::max(plot.farthest, node.distance);
        plot.lowest = std::min({plot.lowest, node.supply, node.ret});
        plot.highest = std::max({plot.highest, node.supply, node.ret});
    }
    return plot;
}

std::vector<int> PathFromSource(const PressurePlot& plot, int node) {
    std::vector<int> path;
    for (int p = node; p >= 0; p = plot.nodes[p].parent) path.push_back(p);
    std::reverse(path.begin(), path.end());
    return path;
}

std::vector<double> AxisTicks(double low, double high, int wanted) {
    if (!std::isfinite(low) || !std::isfinite(high)) return {};
    if (high < low) std::swap(low, high);
    const double span = high > low ? high - low : std::max(std::abs(low), 1.0);
    const double rough = span / std::max(wanted, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * magnitude;
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * magnitude >= rough * (1 - 1e-9)) {
            step = factor * magnitude;
            break;
        }
    }
    std::vector<double> ticks;
    const double first = std::floor(low / step + 1e-9);
    const double last = std::ceil(high / step - 1e-9);
    for (double t = first; t <= last; ++t) ticks.push_back(t * step + 0.0);  // no "-0"
    if (ticks.size() == 1) ticks.push_back(ticks.front() + step);
    return ticks;
}

std::string AxisTickText(double value, double step) {
    const int decimals = step > 0 && std::isfinite(step)
                             ? std::clamp(int(std::ceil(-std::log10(step) - 1e-9)), 0, 12) : 0;
    char text[400];  // the largest double in plain digits with 12 decimals fits
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    const std::string written = text;
    // A tick just below zero, such as -1e-13 for 0, prints as "-0" or "-0.00".
    return written.find_first_not_of("-0.") == std::string::npos && written[0] == '-' ? written.substr(1) : written;
}

std::vector<int> LabelledNodes(const PressurePlot& plot, double pixelsPerMetre,
                               double pixelsPerKPa, double labelWidth, double labelHeight) {
    std::vector<int> order;
    for (size_t p = 0; p < plot.nodes.size(); ++p)
        if (plot.nodes[p].mainLine) order.push_back(static_cast<int>(p));
    for (size_t p = 0; p < plot.nodes.size(); ++p)
        if (!plot.nodes[p].mainLine) order.push_back(static_cast<int>(p));

    struct Box {
        double left, bottom;
    };
    std::vector<Box> chosen;
    std::vector<int> labelled;
    for (int p : order) {
        const PlotNode& node = plot.nodes[p];
        const Box box{node.distance * pixelsPerMetre - labelWidth / 2, node.supply * pixelsPerKPa};
        const bool overlaps = std::any_of(chosen.begin(), chosen.end(), [&](const Box& other) {
            return std::abs(box.left - other.left) < labelWidth &&
                   std::abs(box.bottom - other.bottom) < labelHeight;
        });
        if (overlaps) continue;
        chosen.push_back(box);
        labelled.push_back(p);
    }
    return labelled;
}

}  // namespace heatnet
