#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/number.h"

namespace heatnet {

// A node of a network model file, junction or reservoir, in the order read.
struct InpNode {
    std::string id;
    bool reservoir = false;
    double demand = 0;       // the junction line's base demand, in the file's flow units
    double listedDemand = 0;  // the sum of its [DEMANDS] entries
    bool hasListedDemand = false;
    int line = 0;
};

struct InpPipe {
    std::string id;
    int node1 = 0;  // positions in InpFile::nodes
    int node2 = 0;
    double length = 0;    // ft or m, as the units say
    double diameter = 0;  // in or mm
    double minorLoss = 0;
    std::string comment;  // the text after ";" on its line, blanks around it removed
    int line = 0;
};

struct InpCoordinate {
    int node = 0;  // position in InpFile::nodes
    double x = 0;
    double y = 0;  // northward
};

// The design values heatnet writes into the comment line ";heatnet 基本数据 t1=… t2=…"
// of its own exports, so that a file it wrote comes back complete.
struct InpHeatnetValues {
    bool present = false;
    Number supplyTemperature, returnTemperature, pumpInletPressure, lastUserResistance,
        localResistanceCoefficient, branchStartNode;
};

// What heatnet can take from a network model file: a supply network of open pipes
// fed by one reservoir. The model's other parts (elevations, heads, patterns,
// controls, quality) are read past.
struct InpFile {
    std::string units = "GPM";  // the model's default when [OPTIONS] names none
    bool usUnits = true;        // lengths in ft and diameters in inches
    double cubicMetresPerHour = 0.22712470704;  // one flow unit in m3/h
    std::vector<InpNode> nodes;
    std::vector<InpPipe> pipes;
    std::vector<InpCoordinate> coordinates;
    InpHeatnetValues heatnet;
};

inline constexpr int kMaxInpPipes = 1400;
inline constexpr int kMaxInpJunctions = 1400;

// Reads the text of a network model file into `file`. Empty on success; otherwise
// the refusal naming the line and the section ("INP文件第12行([PIPES]):…") or, for
// what is missing altogether, the file.
std::string ReadInpText(std::string_view text, InpFile& file);

}  // namespace heatnet
