#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/network_table_checks.h"
#include "data/project_data.h"
#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// The network drawn from its connections, free of any drawing library: where
// each node stands and which segments join them. The results window paints it,
// the entry windows and the table editor paint it with the topology faults
// before calculating, and the batch command writes it as SVG, so all show the
// same picture. Laid out by Graphviz (dot for trees, node 0 at the top; neato
// with overlap removal where there are rings); the same data always gives the
// same coordinates.

struct MapPoint {
    double x = 0;
    double y = 0;  // y grows downward, as on a screen and in SVG
};

struct MapNode {
    double number = 0;        // the user's node number
    MapPoint at;              // m when from the side file, layout units otherwise
    bool placedByFile = false;  // from 文件名.xy.csv
    bool hasLoadRecord = false;
    bool fault = false;       // named in a topology fault
};

struct MapSegment {
    int record = 0;      // 0-based record in the data file
    int from = 0, to = 0;  // positions in NetworkMap::nodes (start node, end node as written)
    bool closesRing = false;  // not in the spanning tree of the connection walk from node 0
    bool fault = false;
};

struct TopologyFault {
    std::string message;           // the text the calculation (or the checks) would give
    std::vector<int> nodes;        // positions in NetworkMap::nodes it concerns
    std::vector<int> segments;     // positions in NetworkMap::segments
};

struct NetworkMap {
    std::vector<MapNode> nodes;        // node 0 first when present, then in order of first appearance
    std::vector<MapSegment> segments;  // in file order, one per record
    std::vector<TopologyFault> faults;
    MapPoint lowest, highest;          // bounding box of the nodes
    int NodePosition(double number) const;  // -1 when absent
};

// Node coordinates from the side file 文件名.xy.csv (UTF-8, header 节点,x,y).
// Empty map when the file does not exist; nullopt with `error` set when it
// exists but cannot be read.
std::optional<std::map<double, MapPoint>> ReadCoordinateFile(const std::string& path, std::string* error);
// The side file's name for a data file: its base name + ".xy.csv".
std::string CoordinateFileName(const std::string& dataFileName);

// Lays out every node and segment of the record (records beyond the counts are
// not taken), keeping the given coordinates and laying out only the rest, and
// finds the topology faults: nodes not connected to node 0, dead ends without a
// load, duplicate segments, a segment from a node to itself, loads on nodes no
// segment reaches.
NetworkMap LayOutNetwork(const ProjectData& data, const std::map<double, MapPoint>& coordinates);

// What the map's colour scale shows.
enum class MapQuantity { kDiameter, kLossShareOfLimit, kVelocity, kFlow };

// The map as an SVG document: without `results`, the topology faults drawn red
// and listed; with them, segment widths by diameter, colours by `quantity`
// with a legend, node colours by the available pressure difference, "P<2100"
// nodes marked, each element with a <title> holding its values as in the report.
std::string NetworkMapSvg(const NetworkMap& map, const NetworkModel* results, const StandardPipeTable* table,
                          MapQuantity quantity, const std::string& title);

}  // namespace heatnet
