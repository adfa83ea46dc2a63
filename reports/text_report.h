#pragma once

#include <string>
#include <vector>

#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// The order of the segment table's rows. Node order lists, for every internal
// index r, the segment whose I end is r; it is used only when every such segment
// lies within the first 399 list positions and the network is not looped.
struct SegmentRowOrder {
    bool checkPassed = false;
    bool nodeOrder = false;
    std::vector<int> positions;  // 1-based list positions, one per row
};

SegmentRowOrder DecideSegmentRowOrder(const NetworkModel& model);

// The node number shown for an internal index: the last segment end that carries it.
Number NodeNumberOfIndex(const NetworkModel& model, int index);

// The whole report in UTF-8 with CR LF line ends.
std::string FormatCalculationReport(const NetworkModel& model, const StandardPipeTable& table,
                                    const SegmentRowOrder& order);

}  // namespace heatnet
