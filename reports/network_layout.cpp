// Node placement by Graphviz's C libraries (libgvc): a well-kept layout rather
// than a hand-written one, and the same engines the dot tools use.
#include "reports/network_layout.h"

#include <graphviz/gvc.h>

#include <cstdio>
#include <memory>
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
    const bool tree = !request.rings && !anyPinned;

    std::lock_guard<std::mutex> lock(graphvizInUse);
    agseterrf(IgnoreMessage);
    agseterr(AGMAX);
    std::unique_ptr<GVC_t, int (*)(GVC_t*)> context(gvContext(), gvFreeContext);
    Agraph_t* graph = agopen(const_cast<char*>("network"), tree ? Agdirected : Agundirected, nullptr);
    Set(graph, "splines", "false");
    if (tree) {
        Set(graph, "rankdir", "TB");
        Set(graph, "nodesep", "0.25");
        Set(graph, "ranksep", "0.45");
        // Bounds dot's crossing and network-simplex passes: on 1400 segments the
        // full passes take seconds and change the picture little.
        Set(graph, "mclimit", "0.3");
        Set(graph, "nslimit", "2");
        Set(graph, "nslimit1", "2");
        Set(graph, "ordering", "out");
    } else {
        Set(graph, "start", "1");           // a fixed seed: the same picture every time
        Set(graph, "overlap", "false");     // no two nodes on one spot
        Set(graph, "maxiter", "300");
        Set(graph, "epsilon", "0.001");
        Set(graph, "mode", "major");
        Set(graph, "notranslate", "true");  // fixed nodes stay where the side file puts them
    }
    std::vector<Agnode_t*> nodes(request.nodeCount);
    for (int n = 0; n < request.nodeCount; ++n) {
        nodes[n] = agnode(graph, const_cast<char*>(("n" + std::to_string(n)).c_str()), 1);
        Set(nodes[n], "shape", "point");
        Set(nodes[n], "width", "0.08");
        if (n < static_cast<int>(request.pinned.size()) && request.pinned[n]) {
            const MapPoint& at = *request.pinned[n];
            Set(nodes[n], "pos", Inches(at.x) + "," + Inches(-at.y) + "!");
            Set(nodes[n], "pin", "true");
        }
    }
    int e = 0;
    for (const auto& [from, to] : request.edges)
        agedge(graph, nodes[from], nodes[to], const_cast<char*>(("e" + std::to_string(e++)).c_str()), 1);

    if (gvLayout(context.get(), graph, tree ? "dot" : "neato") == 0) {
        for (int n = 0; n < request.nodeCount; ++n) places[n] = {ND_coord(nodes[n]).x, -ND_coord(nodes[n]).y};
        gvFreeLayout(context.get(), graph);
    }
    agclose(graph);
    return places;
}

}  // namespace heatnet
