#include "tools/network_generator.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "data/number_text.h"
#include "hydraulics/node_demands.h"
#include "hydraulics/sizing_rules.h"
#include "hydraulics/standard_pipe_table.h"

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

using Pipe = std::array<double, 5>;  // D, L, Le, node a, node b

// A load as the data file gives it back.
double AsWritten(double load) { return ValueOf(*ParseNumberField(NumberToFileText(load))); }

// Flows (t/h) at which a sized segment's specific loss meets a limit at a size
// its sizing passes through on the way up from the smallest.
std::vector<double> LimitFlows(const StandardPipeTable& table, double zoneLimit) {
    std::vector<double> flows;
    for (int size = 1; size <= StandardPipeTable::kSizes; ++size)
        for (double limit : {zoneLimit, kSecondLimit, kFirstLimit}) {
            const double flow = std::sqrt(limit / table.Coefficient(size));
            int reached = 1;
            for (int step = 1; reached < size && step > 0; reached = std::min(reached + step, StandardPipeTable::kSizes))
                step = EnlargementStep(table.Coefficient(reached) * flow * flow, zoneLimit);
            if (reached == size) flows.push_back(flow);
        }
    return flows;
}

// Sets the loads of chosen nodes so that the sized segments leading to them
// carry flows just beside a decision. `pipes` is a tree in which every segment
// hangs below an earlier one, so walking it backwards meets every node after
// all the nodes beyond it, and a node's own load moves no flow below it.
void PlaceNearThresholds(const NetworkRecipe& recipe, Draw& draw, const std::vector<Pipe>& pipes,
                         std::vector<std::pair<int, double>>& loads) {
    const double difference = std::fabs(recipe.supplyTemperature - recipe.returnTemperature);
    std::string diameters;
    for (double diameter : kStandardDiameters) diameters += std::to_string(diameter) + " ";
    StandardPipeTable table;
    table.LoadFromText(diameters, "", WaterDensity((recipe.supplyTemperature + recipe.returnTemperature) / 2));
    std::map<int, double*> loadOf;
    for (auto& [node, load] : loads) loadOf[node] = &(load = AsWritten(load));
    // Some networks carry about 1 t/h in all, so that the source's segment
    // decides whether the first solution settles.
    const bool settling = draw.Chance(0.15);
    if (settling) {
        double total = 0;
        for (const auto& entry : loads) total += LoadToFlow(entry.second, difference);
        // Loads below 1e-6 MW are refused.
        for (auto& entry : loads)
            entry.second = AsWritten(std::copysign(std::max(std::fabs(entry.second * 0.6 / total), 1e-6), entry.second));
    }
    const double largestAddition = settling ? 0.02 : LoadToFlow(8 * recipe.loadScale, difference);
    std::map<int, double> beyond;  // t/h demanded beyond a node, its own load left out
    for (std::size_t i = pipes.size(); i-- > 0;) {
        const int from = static_cast<int>(pipes[i][3]), node = static_cast<int>(pipes[i][4]);
        double& load = *loadOf[node];
        const bool source = settling && i == 0;
        if (pipes[i][0] < kSmallestGivenDiameter && (source || draw.Chance(recipe.nearThresholdShare))) {
            const bool branch = recipe.branchStartNode > 0 && std::max(from, node) >= recipe.branchStartNode;
            std::vector<double> flows;
            for (double flow : LimitFlows(table, branch ? kBranchLimit : kMainLineLimit))
                if (flow >= beyond[node] && flow - beyond[node] <= largestAddition) flows.push_back(flow);
            const double side = 1 + draw.Uniform(-1e-9, 1e-9);
            const int kind = source ? 1 : draw.Integer(0, 9);
            double flow = kind == 0 ? kSmallFlow * side : kind == 1 ? side : 0;
            if (kind > 1 && !flows.empty())
                flow = flows[draw.Integer(0, static_cast<int>(flows.size()) - 1)] * std::sqrt(side);
            const double wanted = AsWritten(FlowToLoad(flow - beyond[node], difference, 0));
            if (flow > 0 && wanted >= 1e-6) load = wanted;
        }
        beyond[from] += beyond[node] + LoadToFlow(load, difference);
    }
}

// Trickles end the branches; pipes[i] leads to the node of loads[i].
void MakeTrickles(double share, int mainSegments, const std::set<int>& innerNodes, Draw& draw,
                  std::vector<Pipe>& pipes, std::vector<std::pair<int, double>>& loads) {
    for (std::size_t i = static_cast<std::size_t>(mainSegments); i < loads.size(); ++i) {
        if (innerNodes.count(loads[i].first) || !draw.Chance(share)) continue;
        pipes[i][0] = kStandardDiameters[draw.Integer(3, 21)];
        pipes[i][1] = std::max(0.1, std::round(std::pow(10, draw.Uniform(-1, 3)) * 10) / 10);
        loads[i].second = std::max(1e-6, std::round(std::pow(10, draw.Uniform(-6, -1)) * 1e6) / 1e6);
    }
}

// Node numbers as a city's register gives them: large, with wide gaps, in no
// order along the network. Node 0 stays the source; the main line stays below
// the branch zone's first node, which becomes kScatteredBranchStart.
constexpr int kScatteredBranchStart = 500000000;

void ScatterNumbers(int branchStart, Draw& draw, std::vector<Pipe>& pipes,
                    std::vector<std::pair<int, double>>& loads) {
    std::map<int, int> scattered{{0, 0}};
    std::set<int> taken{0};
    for (auto& entry : loads) {
        const bool branch = entry.first >= branchStart;
        const int low = branch ? kScatteredBranchStart : 1;
        int number = 0;
        while (!taken.insert(number = draw.Integer(low, low + kScatteredBranchStart - 1)).second) {}
        scattered[entry.first] = number;
        entry.first = number;
    }
    for (Pipe& pipe : pipes)
        for (const int end : {3, 4}) pipe[end] = scattered.at(static_cast<int>(pipe[end]));
}

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

    std::vector<Pipe> pipes;
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
    if (recipe.trickleShare > 0) MakeTrickles(recipe.trickleShare, mainSegments, innerNodes, draw, pipes, loads);
    for (auto& entry : loads) entry.second *= recipe.loadScale;
    if (recipe.nearThresholdShare > 0) PlaceNearThresholds(recipe, draw, pipes, loads);

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

    if (recipe.scatteredNumbers) ScatterNumbers(branchStart, draw, pipes, loads);
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
    if (recipe.branchStartNode > 0)
        data.branchStartNode = recipe.scatteredNumbers ? kScatteredBranchStart : recipe.branchStartNode;
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
