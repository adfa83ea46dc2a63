#pragma once

#include <array>
#include <string>

#include "data/number.h"

namespace heatnet {

// Records are numbered from 1, as the data file and the entry windows count them.
inline constexpr int kMaxRecords = 1400;

struct PipeSegment {
    Number diameter;          // mm; below 25 means the calculation selects it
    Number length;            // m
    Number equivalentLength;  // m; 0 means localResistanceCoefficient * length
    Number startNode;
    Number endNode;
};

struct NodeLoad {
    Number node;
    Number load;  // MW; positive for a user, negative for a heat source
};

struct ProjectData {
    Number supplyTemperature;
    Number returnTemperature;
    Number pumpInletPressure;   // kPa
    Number lastUserResistance;  // kPa
    Number localResistanceCoefficient;
    Number nodeCount;
    Number pipeCount;
    Number branchStartNode;

    // Index 0 is never used; records 1..pipeCount and 1..nodeCount-1 are in use.
    std::array<PipeSegment, kMaxRecords + 1> pipes{};
    std::array<NodeLoad, kMaxRecords + 1> loads{};

    std::string fileName;
    std::string baseName;
    bool fileExisted = false;
};

}  // namespace heatnet
