#pragma once

#include <string>
#include <vector>

#include "hydraulics/network_model.h"

namespace heatnet {

// Orders model.segments (given in file order, I = larger node number) by the
// connection walk from node 0, so that every segment after the first shares a
// node with an earlier one. Returns a message when some segment is not reached.
std::string OrderByConnectionWalk(NetworkModel& model);

// The message naming the segments not connected to node 0 (the first few of
// them), each named by UnconnectedSegmentName: "第3根管道(节点7-8)" with the
// smaller node number first. The map of the network tells the same words.
std::string UnconnectedSegmentName(int record, const std::string& smaller, const std::string& larger);
std::string UnconnectedSegmentsMessage(const std::vector<std::string>& names);

// Gives every distinct node number an internal index in order of first
// appearance, moves node 0 to index M + 1 and orients every segment so that its
// I end has the larger index. Returns a message when the node count does not
// match the node numbers.
std::string NumberNodes(NetworkModel& model);

}  // namespace heatnet
