#pragma once

#include <string>
#include <vector>

#include "hydraulics/network_model.h"

namespace heatnet {

// The water-pressure diagram as geometry, free of any drawing library: which
// lines, which points and which labels. The results window paints it and the
// batch command writes it as SVG, so both show the same diagram.

struct PlotNode {
    int index = 0;          // internal node index into NetworkModel::nodes (the source: sourceIndex)
    Number nodeNumber;      // the user's node number, as every output prints it
    double distance = 0;    // m from the main heat source along the connection walk
    double supply = 0;      // kPa
    double ret = 0;         // kPa (return)
    bool lowPressure = false;  // the condition of the "P<2100" lines
    bool mainLine = false;
    int parent = -1;        // position in PressurePlot::nodes it is reached from; -1 for the source
    int segment = -1;       // 0-based position in NetworkModel::segments reaching it; -1 for the source

    double Available() const { return supply - ret; }
};

// One polyline of the plot: the main line from the source, or one branch from
// its junction (its first node is the junction itself).
struct PlotLine {
    std::vector<int> nodes;  // positions in PressurePlot::nodes, in walking order
    bool mainLine = false;
};

// A segment that closes a ring joins two nodes already reached by the walk. It
// belongs to no line: it is drawn as a straight line from `from` (the end
// reached first) to `to`, between the two nodes' points.
struct RingSegment {
    int from = 0;  // position in PressurePlot::nodes
    int to = 0;
    int segment = 0;  // 0-based position in NetworkModel::segments
};

struct PressurePlot {
    std::vector<PlotNode> nodes;  // the main heat source first
    std::vector<PlotLine> lines;  // the main line first
    std::vector<RingSegment> rings;
    double farthest = 0;             // largest distance, m
    double lowest = 0, highest = 0;  // pressure range over both lines, kPa
};

// Lays out every node of a completed calculation, for networks of any size.
PressurePlot BuildPressurePlot(const NetworkModel& model);

// Positions in plot.nodes from the source to `node`, the source first.
std::vector<int> PathFromSource(const PressurePlot& plot, int node);

// Round tick values (steps of 1, 2 or 5 times a power of ten) covering
// [low, high] with about `wanted` steps: the first tick is at or below `low`,
// the last at or above `high`, so an axis may run from tick to tick. At least
// two ticks; none for a range that is not finite.
std::vector<double> AxisTicks(double low, double high, int wanted);

// A tick value as an axis label: plain decimal digits, never an exponent, with
// as many decimals as the step between ticks needs (18000000, 1941.5, 0.0005).
std::string AxisTickText(double value, double step);

// Which node numbers to write when one metre of distance takes `pixelsPerMetre`
// and a label needs `labelWidth` pixels: the main line's nodes first, then the
// others, leaving out any label that would overlap one already chosen. A label
// is centred on its node's distance with its lower edge at the supply pressure
// (both scaled by the pixel factors, y upwards). Returns positions in plot.nodes.
std::vector<int> LabelledNodes(const PressurePlot& plot, double pixelsPerMetre,
                               double pixelsPerKPa, double labelWidth, double labelHeight);

}  // namespace heatnet
