// Node placement by Graphviz's C libraries (libgvc): a well-kept layout rather
// than a hand-written one, and the same engines the dot tools use.
#include "reports/network_layout.h"

#include <graphviz/gvc.h>

#include <cstdio>
#include <mutex>
#include <string>

namespace heatnet {
namespace {

// Graphviz keeps global state (its error handler, the layout's working data):
// one layout at a time, whichever window or thread asks.
std::mutex graphvizInUse;

// Graphviz writes warnings to stderr; the map names its own faults.
int IgnoreMessage(char*) { return 0; }

void Set(void* object, const char* name, const std::string& value) {
    agsafeset(object, const_cast<char*>(name), const_cast<char*>(value.c_str()), const_cast<char*>(""));
}

// A node's or edge's name in the graph.
std::string Name(char kind, int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%d", kind, number);
    return text;
}

std::string Inches(double points) {
    char text[40];
    std::snprintf(text, sizeof text, "%.4f", points / 72.0);
    return text;
}

}  // namespace

std::vector<MapPoint> PlaceNodes(const LayoutRequest& request) {
    std::vector<MapPoint> places(request.nodeCount);
    if (request.nodeCount == 0) return places;
    bool anyPinned = false;
    for (const std::optional<MapPoint>& pin : request.pinned) anyPinned = anyPinned || pin.has_value();
    bool allPinned = static_cast<int>(request.pinned.size()) == request.nodeCount;
    for (const std::optional<MapPoint>& pin : request.pinned) allPinned = allPinned && pin.has_value();
    if (allPinned) {
        for (int n = 0; n < request.nodeCount; ++n) places[n] = *request.pinned[n];
        return places;
    }
    const bool tree = !request.rings && !anyPinned;
    // sfdp, multilevel, lays out 1400 nodes with rings in a fifth of the time
    // neato takes; only neato keeps nodes where the side file fixes them.
    const char* engine = tree ? "dot" : anyPinned ? "neato" : "sfdp";

    std::lock_guard<std::mutex> lock(graphvizInUse);
    agseterrf(IgnoreMessage);
    agseterr(AGMAX);
    // One context for the life of the program: the text-size plugin keeps a
    // font name from the context it last served, and reads freed memory when
    // a later layout comes with a new context (Graphviz 2.43).
    static GVC_t* const context = gvContext();
    Agraph_t* graph = agopen(const_cast<char*>("network"), tree ? Agdirected : Agundirected, nullptr);
    Set(graph, "splines", "false");
    if (tree) {
        Set(graph, "rankdir", "TB");
        Set(graph, "nodesep", "0.25");
        Set(graph, "ranksep", "0.45");
        // Bounds dot's crossing-reduction and network-simplex passes, the parts
        // that grow fastest with the network; the picture changes little.
        Set(graph, "mclimit", "0.3");
        Set(graph, "nslimit", "2");
        Set(graph, "nslimit1", "2");
        Set(graph, "ordering", "out");
    } else {
        Set(graph, "start", "1");           // a fixed seed: the same picture every time
        // Overlaps removed by spreading the whole picture: on 1400 nodes the
        // Voronoi and prism removals take longer than the layout itself.
        Set(graph, "overlap", "scale");
        Set(graph, "notranslate", "true");  // fixed nodes stay where the side file puts them
    }
    std::vector<Agnode_t*> nodes(request.nodeCount);
    for (int n = 0; n < request.nodeCount; ++n) {
        nodes[n] = agnode(graph, const_cast<char*>(Name('n', n).c_str()), 1);
        Set(nodes[n], "shape", "point");
        Set(nodes[n], "width", "0.08");
        Set(nodes[n], "label", "");  // the map writes the numbers; no text to measure
        if (n < static_cast<int>(request.pinned.size()) && request.pinned[n]) {
            const MapPoint& at = *request.pinned[n];
            Set(nodes[n], "pos", Inches(at.x) + "," + Inches(-at.y) + "!");
            Set(nodes[n], "pin", "true");
        }
    }
    int e = 0;
    for (const auto& [from, to] : request.edges)
        agedge(graph, nodes[from], nodes[to], const_cast<char*>(Name('e', e++).c_str()), 1);

    if (gvLayout(context, graph, engine) == 0) {
        for (int n = 0; n < request.nodeCount; ++n) places[n] = {ND_coord(nodes[n]).x, -ND_coord(nodes[n]).y};
        gvFreeLayout(context, graph);
    } else {
        // Not expected with these engines; a row still shows every node.
        for (int n = 0; n < request.nodeCount; ++n) places[n] = {72.0 * n, 0};
    }
    agclose(graph);
    return places;
}

}  // namespace heatnet
