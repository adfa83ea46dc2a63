#pragma once

#include <array>
#include <string>
#include <vector>

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

// Where a value stood in the file it was read from (both 1-based), so that a
// check made long after the read can still point the person to the place.
struct FieldPlace {
    int line = 0;
    int number = 0;  // position of the field within its line
};

// The places of the values of a record read from a file: header fields in the
// order of the field sequence, then one entry per segment and per load record.
// Empty for values that came from the entry windows.
struct ReadPlaces {
    std::array<FieldPlace, 8> header{};
    std::vector<std::array<FieldPlace, 5>> pipes;  // pipes[i - 1] for record i
    std::vector<std::array<FieldPlace, 2>> loads;  // loads[k - 1] for record k
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

    ReadPlaces readPlaces;
};

}  // namespace heatnet
