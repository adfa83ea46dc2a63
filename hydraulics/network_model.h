#pragma once

#include <string>
#include <vector>

#include "data/number.h"
#include "data/project_data.h"
#include "hydraulics/segments_in_order.h"

namespace heatnet {

// One segment of the ordered segment list. I is the end with the larger internal
// index once the nodes are numbered (before that: the larger node number).
struct NetworkSegment {
    Number nodeI;  // node numbers as read; unset counts as node 0
    Number nodeJ;
    int indexI = 0;
    int indexJ = 0;
    Number givenDiameter;  // mm, as read
    Number length;         // m, as read
    Number equivalentLength;
    double calculationLength = 0;  // Lj, m
    int record = 0;                // 0-based record in the data file, kept through the walk's reordering

    bool autoSized = false;
    int sizeIndex = 1;              // 1-based position in the standard pipe table
    double flowFactor = 0;          // S, Pa/(t/h)^2
    double resistance = 0;          // R, linearised
    double flow = 0;                // G, t/h, positive from I to J
    double previousFlow = 0;
    double pressureDifference = 0;  // x(J) - x(I), Pa
    double specificLoss = 0;        // Pa/m
    double velocity = 0;            // m/s
};

struct NetworkNode {
    double demand = 0;  // q, t/h
    double drop = 0;    // x, Pa below the source's supply pressure
    double supplyPressure = 0;
    double returnPressure = 0;
    double pressureDifference = 0;
};

// How the sizing loop reaches its result. Both give the same sizes, flows,
// pressures and messages; step by step solves the network after every
// enlargement, foreseen solves only the passes whose decisions it cannot vouch
// for without solving (and always the last).
enum class SizingMethod { kForeseen, kStepByStep };

struct SizingStatistics {
    int solvedPasses = 0;
    int foreseenPasses = 0;
    // Passes the plan expected to be the last that turned out not to be. The
    // plan is made in exact arithmetic, so a segment within the rounding of a
    // limit may be planned either way; such a miss costs a walk afresh, never
    // a result.
    int forecastMisses = 0;
    // Passes solved ahead of their turn on other threads, at the sizes the passes
    // before them were predicted to leave: taken when those passes confirmed the
    // prediction (they are counted among the solved passes too), dropped when not.
    int speculatedTaken = 0;
    int speculatedDropped = 0;
    // Passes solved without asking the forecast, while it rested after vouching
    // for none of a long row of passes (it pays only when it vouches).
    int solvedWhileForecastRested = 0;
    // Kept once found: in a loop a later enlargement may bring a held segment
    // back within its limit, or a flow back above the small flow, and it is
    // told all the same, as each was when first found.
    SegmentsInOrder heldAtLargestSize;
    SegmentsInOrder zeroPressureDifference;  // a solved pass gave DP exactly 0
    SegmentsInOrder smallFlow;               // within its limit, |G| under the small flow
};

// Everything one calculation derives from its data file; read by every writer.
struct NetworkModel {
    std::string dataFileName;
    std::string baseName;

    // Design values, temperatures ordered so that supply >= return.
    double supplyTemperature = 0;
    double returnTemperature = 0;
    double pumpInletPressure = 0;   // kPa
    double lastUserResistance = 0;  // kPa
    Number supplyTemperatureRead;   // as read (after the swap), for the sized data file
    Number returnTemperatureRead;
    Number pumpInletPressureRead;
    Number lastUserResistanceRead;
    Number localResistanceCoefficient;
    Number nodeCountRead;
    Number pipeCountRead;
    Number branchStartNode;

    int nodeCount = 0;      // N
    int sourceIndex = 0;    // M + 1, the main heat source
    double meanTemperature = 0;
    double density = 0;     // kg/m3
    double temperatureDifference = 0;
    double totalDemand = 0;

    std::vector<NetworkSegment> segments;  // ordered list, position s = vector index + 1
    std::vector<NetworkNode> nodes;        // internal indices 0..M+1
    std::vector<NodeLoad> loadRecords;     // in the order of the data file

    SizingMethod sizingMethod = SizingMethod::kForeseen;
    // Threads that solve sizing passes side by side (foreseen sizing only; step by
    // step is always one); 0 takes the machine's cores.
    int sizingThreads = 0;
    SizingStatistics sizing;

    int M() const { return sourceIndex - 1; }
    int SegmentCount() const { return static_cast<int>(segments.size()); }
};

}  // namespace heatnet
