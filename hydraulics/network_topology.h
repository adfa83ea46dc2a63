#pragma once

#include <string>

#include "hydraulics/network_model.h"

namespace heatnet {

// Orders model.segments (given in file order, I = larger node number) by the
// connection walk from node 0, so that every segment after the first shares a
// node with an earlier one. Returns a message when some segment is not reached.
std::string OrderByConnectionWalk(NetworkModel& model);

// Gives every distinct node number an internal index in order of first
// appearance, moves node 0 to index M + 1 and orients every segment so that its
// I end has the larger index. Returns a message when the node count does not
// match the node numbers.
std::string NumberNodes(NetworkModel& model);

}  // namespace heatnet
