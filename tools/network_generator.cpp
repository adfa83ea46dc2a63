#include "tools/network_generator.h"

#include <algorithm>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace heatnet {
namespace {

constexpr double kStandardDiameters[] = {25,  32,  40,  50,  65,  80,  100, 125, 150, 200, 250,
                                         300, 350, 400, 450, 500, 600, 700, 800, 900, 1000, 1200};

// Draws from std::mt19937, whose output sequence the standard fixes, with our own
// mappings so that a seed gives the same network with every standard library.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : engine_(seed) {}
    double Uniform(double low, double high) {
        const double unit = static_cast<double>(engine_() >> 5) / 134217728.0;  // 27 bits
        return low + (high - low) * unit;
    }
    int Integer(int low, int high) {  // inclusive
        return low + static_cast<int>(engine_() % static_cast<std::uint32_t>(high - low + 1));
    }
    bool Chance(double share) { return Uniform(0, 1) < share; }
    // Three decimals, as an engineer enters them.
    double Rounded(double low, double high) {
        return static_cast<double>(Integer(static_cast<int>(low * 1000), static_cast<int>(high * 1000))) /
               1000;
    }

private:
    std::mt19937 engine_;
};

struct Edge {
    int from;
    int to;
};

}  // namespace

ProjectData GenerateNetwork(const NetworkRecipe& recipe) {
    Draw draw(recipe.seed);
    const int treeSegments = std::clamp(recipe.segments, 1, kMaxRecords);
    const int branchStart = recipe.branchStartNode > 0 ? recipe.branchStartNode : 100;
    const int mainSegments = std::clamp(treeSegments / 8, 1, branchStart - 1);

    std::vector<int> nodes{0};
    std::vector<Edge> edges;
    for (int node = 1; node <= mainSegments; ++node) {
        edges.push_back({node - 1, node});
        nodes.push_back(node);
    }
    int nextBranchNode = branchStart;
    while (static_cast<int>(edges.size()) < treeSegments) {
        int from = nodes[draw.Integer(1, static_cast<int>(nodes.size()) - 1)];
        const int run = std::min(draw.Integer(1, 12), treeSegments - static_cast<int>(edges.size()));
        for (int i = 0; i < run; ++i) {
            edges.push_back({from, nextBranchNode});
            nodes.push_back(nextBranchNode);
            from = nextBranchNode++;
        }
    }

    // Which nodes have something hanging from them: only those may carry no load.
    std::set<int> innerNodes;
    for (const Edge& edge : edges) innerNodes.insert(edge.from);

    std::vector<std::pair<int, double>> loads;
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        const int node = nodes[i];
        double load = draw.Rounded(0.05, 5);
        if (innerNodes.count(node) && draw.Chance(0.2)) load = 0;
        if (draw.Chance(recipe.secondarySourceShare)) load = -draw.Rounded(0.5, 3);
        loads.push_back({node, load});
    }

    std::vector<std::array<double, 5>> pipes;  // D, L, Le, node a, node b
    for (const Edge& edge : edges) {
        double diameter = 0;
        if (draw.Chance(recipe.givenDiameterShare)) diameter = kStandardDiameters[draw.Integer(3, 16)];
        const double length = static_cast<double>(draw.Integer(20, 300));
        const double equivalent = draw.Chance(0.1) ? static_cast<double>(draw.Integer(5, 40)) : 0;
        pipes.push_back({diameter, length, equivalent, static_cast<double>(edge.from),
                         static_cast<double>(edge.to)});
    }

    if (recipe.illConditioned && pipes.size() >= 3 && pipes.size() + 2 <= kMaxRecords) {
        // A large given diameter leading to a user of a few kilowatts, between
        // small given pipes: the elimination then works with conductances many
        // orders of magnitude apart.
        const int leaf = nextBranchNode++;
        const int tail = nextBranchNode++;
        const int host = static_cast<int>(pipes[pipes.size() / 2][4]);
        pipes.push_back({1200, 250, 0, static_cast<double>(host), static_cast<double>(leaf)});
        pipes.push_back({25, 30, 0, static_cast<double>(leaf), static_cast<double>(tail)});
        loads.push_back({leaf, 0.002});
        loads.push_back({tail, 0.001});
        nodes.push_back(leaf);
        nodes.push_back(tail);
        pipes[pipes.size() / 3][0] = 32;
    }

    std::set<std::pair<int, int>> linked;
    for (const auto& pipe : pipes)
        linked.insert(std::minmax(static_cast<int>(pipe[3]), static_cast<int>(pipe[4])));
    for (int tries = 0, added = 0; added < recipe.loopSegments && tries < 100 * recipe.loopSegments;
         ++tries) {
        const int a = nodes[draw.Integer(0, static_cast<int>(nodes.size()) - 1)];
        const int b = nodes[draw.Integer(0, static_cast<int>(nodes.size()) - 1)];
        if (a == b || !linked.insert(std::minmax(a, b)).second) continue;
        if (static_cast<int>(pipes.size()) >= kMaxRecords) break;
        pipes.push_back({0, static_cast<double>(draw.Integer(20, 300)), 0, static_cast<double>(a),
                         static_cast<double>(b)});
        ++added;
    }

    if (recipe.shuffled) {
        for (std::size_t i = pipes.size(); i > 1; --i)
            std::swap(pipes[i - 1], pipes[draw.Integer(0, static_cast<int>(i) - 1)]);
        for (auto& pipe : pipes)
            if (draw.Chance(0.5)) std::swap(pipe[3], pipe[4]);
        for (std::size_t i = loads.size(); i > 1; --i)
            std::swap(loads[i - 1], loads[draw.Integer(0, static_cast<int>(i) - 1)]);
    }

    ProjectData data;
    data.supplyTemperature = recipe.supplyTemperature;
    data.returnTemperature = recipe.returnTemperature;
    data.pumpInletPressure = 200;
    data.lastUserResistance = 50;
    data.localResistanceCoefficient = 0.3;
    data.nodeCount = static_cast<double>(nodes.size());
    data.pipeCount = static_cast<double>(pipes.size());
    if (recipe.branchStartNode > 0) data.branchStartNode = recipe.branchStartNode;
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        PipeSegment& segment = data.pipes[i + 1];
        segment.diameter = pipes[i][0];
        segment.length = pipes[i][1];
        segment.equivalentLength = pipes[i][2];
        segment.startNode = pipes[i][3];
        segment.endNode = pipes[i][4];
    }
    for (std::size_t i = 0; i < loads.size(); ++i) {
        data.loads[i + 1].node = static_cast<double>(loads[i].first);
        data.loads[i + 1].load = loads[i].second;
    }
    return data;
}

}  // namespace heatnet
