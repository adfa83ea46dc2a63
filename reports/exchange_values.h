#pragma once

#include <string>
#include <vector>

#include "data/project_data.h"
#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// The values the exchange files (INP, CSV, GeoJSON) share, in SI units and
// full precision, so that the three always agree with each other.

// The shortest text that reads back to the same double, in plain digits
// (no exponent) from 1e-6 up to 1e15.
std::string FullPrecisionText(double value);

// A node's ID: its number as the data file writes it, without blanks.
std::string NodeId(const Number& number);
// A segment's ID: "start-end" as the record writes them.
std::string PipeId(const PipeSegment& record);

struct ExchangeNodeRow {
    std::string id;
    Number number;
    int index = 0;             // internal index; the source's is 0
    double load = 0;           // W
    double flow = 0;           // kg/s
    double volumeFlow = 0;     // m3/h
    double supplyPressure = 0;  // Pa
    double returnPressure = 0;  // Pa
    double pressureDifference = 0;  // Pa
};

// Flows, velocity, specific loss and pressure drop are signed positive from
// the record's start node to its end node.
struct ExchangeSegmentRow {
    std::string id;
    std::string startId, endId;
    Number startNode, endNode;
    double diameter = 0;           // mm, as calculated
    double length = 0;             // m, as read (0 when unset)
    double calculationLength = 0;  // m
    double flow = 0;               // kg/s
    double volumeFlow = 0;         // m3/h
    double velocity = 0;           // m/s
    double specificLoss = 0;       // Pa/m
    double pressureDrop = 0;       // Pa, x(end) - x(start)
    Number lengthRead, equivalentLengthRead;  // as the record gives them
};

// The heat source (ID 0) first, then internal indices 1..M.
std::vector<ExchangeNodeRow> ExchangeNodeRows(const NetworkModel& model);
// One row per segment record, in data-file order. A record whose ends are not
// the calculated segment's (the file changed since) gives way to the segment.
std::vector<ExchangeSegmentRow> ExchangeSegmentRows(const ProjectData& data, const NetworkModel& model,
                                                    const StandardPipeTable& table);

}  // namespace heatnet
