#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "reports/network_map.h"

namespace heatnet {

// What Graphviz is given: nodes by position, segments as pairs of positions
// (from the end nearer node 0 where the walk knows it, so a tree hangs down
// from node 0), and the nodes whose place is fixed, in points.
struct LayoutRequest {
    int nodeCount = 0;
    std::vector<std::pair<int, int>> edges;
    std::vector<std::optional<MapPoint>> pinned;  // empty or one per node
    bool rings = false;
};

// Places every node, in points with y growing downward: dot for a tree without
// fixed nodes, neato (fixed seed, overlap removal) otherwise. The same request
// always gives the same places. Nodes no edge reaches are placed all the same.
std::vector<MapPoint> PlaceNodes(const LayoutRequest& request);

}  // namespace heatnet
