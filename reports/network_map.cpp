// The network's nodes and segments from the data record, with the topology
// faults the checks and the calculation would name, placed by Graphviz.
#include "reports/network_map.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "data/base_data_file.h"
#include "data/number_text.h"
#include "hydraulics/network_topology.h"
#include "reports/network_layout.h"

namespace heatnet {
namespace {

// The messages of CheckNetworkTable that are faults of the network's shape
// (the others concern values and counts, which the map does not show).
enum class ShapeFault { kNone, kSameEnds, kDuplicate, kUnconnected, kUnreachedLoad };

ShapeFault KindOf(const TableProblem& problem) {
    const auto says = [&](const char* words) { return problem.message.find(words) != std::string::npos; };
    if (problem.grid == TableRefusal::Grid::kLoads)
        return says("节点负荷不应输入") ? ShapeFault::kUnreachedLoad : ShapeFault::kNone;
    if (problem.grid != TableRefusal::Grid::kSegments) return ShapeFault::kNone;
    if (says("起点和终点编号相同")) return ShapeFault::kSameEnds;
    if (says("连接相同的两个节点")) return ShapeFault::kDuplicate;
    if (says("与主热源(节点0)不相连")) return ShapeFault::kUnconnected;
    return ShapeFault::kNone;
}

class MapBuilder {
public:
    explicit MapBuilder(NetworkMap& map) : map_(map) {}

    int Node(double number) {
        const auto [it, isNew] = positions_.try_emplace(number, static_cast<int>(map_.nodes.size()));
        if (isNew) {
            MapNode node;
            node.number = number;
            map_.nodes.push_back(node);
        }
        return it->second;
    }

    // The calculation's connection walk from node 0 (the order of the report):
    // the first segment to reach a node brings it into the tree, a segment
    // between two reached nodes closes a ring. Edges point away from node 0.
    std::vector<std::pair<int, int>> WalkFromSource() {
        const size_t count = map_.segments.size();
        std::vector<std::pair<int, int>> edges(count);
        for (size_t s = 0; s < count; ++s) edges[s] = {map_.segments[s].from, map_.segments[s].to};
        const int source = map_.NodePosition(0);
        if (source < 0) return edges;
        std::vector<bool> walked(count, false), reached(map_.nodes.size(), false);
        reached[source] = true;
        std::vector<int> order;
        int current = source;
        auto scan = [&] {
            for (size_t s = 0; s < count; ++s) {
                if (walked[s]) continue;
                const MapSegment& segment = map_.segments[s];
                if (segment.from != current && segment.to != current) continue;
                const int other = segment.from == current ? segment.to : segment.from;
                walked[s] = true;
                order.push_back(static_cast<int>(s));
                map_.segments[s].closesRing = reached[other];
                if (!reached[other]) edges[s] = {current, other};
                reached[other] = true;
                current = other;
            }
        };
        scan();
        for (size_t j = 0; j < order.size(); ++j) {
            const MapSegment& segment = map_.segments[order[j]];
            for (int end : {segment.from, segment.to}) {
                current = end;
                scan();
            }
        }
        return edges;
    }

private:
    NetworkMap& map_;
    std::unordered_map<double, int> positions_;
};

void AddFault(NetworkMap& map, std::string message, std::vector<int> nodes, std::vector<int> segments) {
    for (int n : nodes) map.nodes[n].fault = true;
    for (int s : segments) map.segments[s].fault = true;
    map.faults.push_back({std::move(message), std::move(nodes), std::move(segments)});
}

void FindFaults(const ProjectData& data, NetworkMap& map) {
    const auto& loads = data.loads;
    // Segments not connected to node 0 are told in one message, as the calculation tells them.
    std::vector<std::string> unconnectedNames;
    std::vector<int> unconnectedNodes, unconnectedSegments;
    for (const TableProblem& problem : CheckNetworkTable(TableFromProjectData(data))) {
        const ShapeFault kind = KindOf(problem);
        if (kind == ShapeFault::kNone) continue;
        if (kind == ShapeFault::kUnconnected) {
            const MapSegment& segment = map.segments[problem.row];
            const double a = map.nodes[segment.from].number, b = map.nodes[segment.to].number;
            unconnectedNames.push_back(UnconnectedSegmentName(problem.row + 1, NumberInText(Number(std::min(a, b))),
                                                              NumberInText(Number(std::max(a, b)))));
            unconnectedNodes.push_back(segment.from);
            if (segment.to != segment.from) unconnectedNodes.push_back(segment.to);
            unconnectedSegments.push_back(problem.row);
            continue;
        }
        if (kind == ShapeFault::kUnreachedLoad) {
            AddFault(map, problem.message, {map.NodePosition(ValueOf(loads[problem.row + 1].node))}, {});
            continue;
        }
        const MapSegment& segment = map.segments[problem.row];
        std::vector<int> nodes = {segment.from};
        if (segment.to != segment.from) nodes.push_back(segment.to);
        AddFault(map, problem.message, nodes, {problem.row});
    }
    if (!unconnectedNames.empty())
        AddFault(map, UnconnectedSegmentsMessage(unconnectedNames), unconnectedNodes, unconnectedSegments);
    // A dead end is where a segment leads to nothing that takes heat: most
    // often a mistyped node number at the other end of the network.
    std::vector<int> segmentsAt(map.nodes.size(), 0);
    for (const MapSegment& s : map.segments)
        if (s.from != s.to) ++segmentsAt[s.from], ++segmentsAt[s.to];
    std::unordered_map<double, double> loadOf;
    for (int k = 1; k <= LoadRecordCount(data); ++k) loadOf[ValueOf(loads[k].node)] += ValueOf(loads[k].load);
    for (size_t n = 0; n < map.nodes.size(); ++n) {
        const double number = map.nodes[n].number;
        if (number == 0 || segmentsAt[n] != 1 || loadOf[number] != 0) continue;
        AddFault(map,
                 "节点" + NumberInText(Number(number)) +
                     "是管网末端,但没有热负荷(负荷为0或未输入),请检查管段编号和节点负荷。",
                 {static_cast<int>(n)}, {});
    }
}

// Points per metre of the side file: the fixed nodes' own spacing where two
// fixed nodes share a segment, the pipe lengths otherwise, so that the nodes
// Graphviz adds sit about one segment apart.
double PointsPerMetre(const NetworkMap& map, const ProjectData& data) {
    std::vector<double> spans;
    for (const MapSegment& s : map.segments) {
        const MapNode &a = map.nodes[s.from], &b = map.nodes[s.to];
        const double span = std::hypot(a.at.x - b.at.x, a.at.y - b.at.y);
        if (a.placedByFile && b.placedByFile && span > 0) spans.push_back(span);
    }
    if (spans.empty())
        for (int i = 1; i <= PipeRecordCount(data); ++i)
            if (const double length = ValueOf(data.pipes[i].length); length > 0) spans.push_back(length);
    if (spans.empty()) return 1;
    std::nth_element(spans.begin(), spans.begin() + spans.size() / 2, spans.end());
    return 72.0 / spans[spans.size() / 2];
}

}  // namespace

int NetworkMap::NodePosition(double number) const {
    for (size_t n = 0; n < nodes.size(); ++n)
        if (nodes[n].number == number) return static_cast<int>(n);
    return -1;
}

NetworkMap LayOutNetwork(const ProjectData& data, const std::map<double, MapPoint>& coordinates) {
    NetworkMap map;
    MapBuilder builder(map);
    const int pipes = PipeRecordCount(data);
    bool usesSource = false;
    for (int i = 1; i <= pipes; ++i)
        usesSource = usesSource || ValueOf(data.pipes[i].startNode) == 0 || ValueOf(data.pipes[i].endNode) == 0;
    if (usesSource) builder.Node(0);
    for (int i = 1; i <= pipes; ++i) {
        const int from = builder.Node(ValueOf(data.pipes[i].startNode));
        map.segments.push_back({i - 1, from, builder.Node(ValueOf(data.pipes[i].endNode))});
    }
    // Loads on nodes no segment reaches are drawn too: they are faults to see.
    for (int k = 1; k <= LoadRecordCount(data); ++k) builder.Node(ValueOf(data.loads[k].node));
    for (int k = 1; k <= LoadRecordCount(data); ++k)
        map.nodes[map.NodePosition(ValueOf(data.loads[k].node))].hasLoadRecord = true;

    LayoutRequest request;
    request.nodeCount = static_cast<int>(map.nodes.size());
    request.edges = builder.WalkFromSource();
    for (const MapSegment& s : map.segments) request.rings = request.rings || s.closesRing;
    for (MapNode& node : map.nodes)
        if (const auto given = coordinates.find(node.number); given != coordinates.end()) {
            node.at = given->second;
            node.placedByFile = true;
        }
    const bool byFile = std::ranges::any_of(map.nodes, [](const MapNode& n) { return n.placedByFile; });
    const double scale = byFile ? PointsPerMetre(map, data) : 1;
    if (byFile)
        for (const MapNode& node : map.nodes)
            request.pinned.push_back(node.placedByFile ? std::optional<MapPoint>({node.at.x * scale, node.at.y * scale})
                                                       : std::nullopt);
    const std::vector<MapPoint> places = PlaceNodes(request);
    for (size_t n = 0; n < map.nodes.size(); ++n)
        if (!map.nodes[n].placedByFile) map.nodes[n].at = {places[n].x / scale, places[n].y / scale};

    FindFaults(data, map);
    if (!map.nodes.empty()) {
        map.lowest = map.highest = map.nodes.front().at;
        for (const MapNode& node : map.nodes) {
            map.lowest = {std::min(map.lowest.x, node.at.x), std::min(map.lowest.y, node.at.y)};
            map.highest = {std::max(map.highest.x, node.at.x), std::max(map.highest.y, node.at.y)};
        }
    }
    return map;
}

}  // namespace heatnet
