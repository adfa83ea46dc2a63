#pragma once

namespace heatnet {

// The report's row order and the diagram's distances look for a node's segment
// among the first 399 list positions only; beyond it both fall back (list order,
// no diagram), so every output depends on this bound.
inline constexpr int kSegmentSearchLimit = 399;

}  // namespace heatnet
