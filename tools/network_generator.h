#pragma once

#include <cstdint>

#include "data/project_data.h"

namespace heatnet {

// A district-heating network laid out as an engineer numbers one: the main line
// from the heat source (node 0) numbered first, then branches numbered upward
// from the branch zone's first node, each hanging from a node already laid.
struct NetworkRecipe {
    int segments = 1400;        // tree segments (loop-closing segments come on top)
    std::uint32_t seed = 1;
    int branchStartNode = 100;  // first branch node number; 0 numbers branches from 100
                                // and leaves the branch-zone field empty
    double givenDiameterShare = 0;   // share of segments with a standard diameter given
    int loopSegments = 0;            // extra segments between existing nodes
    double secondarySourceShare = 0; // share of nodes feeding heat in (negative loads)
    bool shuffled = false;           // records in random order, ends swapped at random
    bool illConditioned = false;     // a 1200 mm pipe with a trickle of flow beside small pipes
    double loadScale = 1;            // every load multiplied by it
    // Share of the sized tree segments whose load beyond puts them within 1e-9
    // (relative) of a decision: a loss limit at a size the sizing reaches, the
    // small flow, or 1 t/h (whether the first solution settles); some networks
    // are scaled down so that the source's segment carries 1 t/h. Exact on trees
    // fed by the main source alone, near elsewhere.
    double nearThresholdShare = 0;
    // Share of the branch segments made trickles: a given pipe carrying a
    // load of 1 W to 100 kW. Beside the drops of the rest, such a segment's
    // pressure difference may be lost in the rounding, at some sizes only.
    double trickleShare = 0;
    bool scatteredNumbers = false;   // node numbers drawn at random below 10^9
    double supplyTemperature = 130;
    double returnTemperature = 70;
};

ProjectData GenerateNetwork(const NetworkRecipe& recipe);

}  // namespace heatnet
