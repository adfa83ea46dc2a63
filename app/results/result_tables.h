#pragma once

#include "app/results/result_table.h"
#include "calculation/run_hydraulic_calculation.h"

namespace heatnet {

// One row of the report's node or segment table as the results window shows it:
// the texts as the report prints them, the values they sort by, and for a
// segment over its friction limit (or held at the largest size) the reason.
struct ReportRow {
    QStringList texts;
    QList<double> values;
    QString remark;
};
// The node of internal index k (0: the heat source, whose values stand there).
ReportRow NodeRow(const CalculationResult& result, int k);
// The segment at 0-based list position `position`, shown as report row `row`.
ReportRow SegmentRow(const CalculationResult& result, int position, int row);

// The report's node table: one row per node, keyed by its internal index (the
// heat source's row by NetworkModel::sourceIndex).
ResultTable* MakeNodeTable(const CalculationResult& result);
// The report's segment table in the report's row order, keyed by the segment's
// 0-based list position; segments over their friction limit or held at the
// largest size are marked.
ResultTable* MakeSegmentTable(const CalculationResult& result);

}  // namespace heatnet
