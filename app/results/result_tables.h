#pragma once

#include "app/results/result_table.h"
#include "calculation/run_hydraulic_calculation.h"

namespace heatnet {

// The report's node table: one row per node, keyed by its internal index (the
// heat source's row by NetworkModel::sourceIndex).
ResultTable* MakeNodeTable(const CalculationResult& result);
// The report's segment table in the report's row order, keyed by the segment's
// 0-based list position; segments over their friction limit or held at the
// largest size are marked.
ResultTable* MakeSegmentTable(const CalculationResult& result);

}  // namespace heatnet
