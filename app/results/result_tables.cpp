#include "app/results/result_tables.h"

#include <cmath>

#include <QHeaderView>

#include "data/number_text.h"
#include "hydraulics/node_demands.h"
#include "hydraulics/sizing_rules.h"
#include "hydraulics/units.h"
#include "reports/format_picture.h"
#include "reports/text_report.h"

namespace heatnet {
namespace {

QString Picture(double value, const char* picture) {
    return QString::fromStdString(FormatWithPicture(value, picture)).trimmed();
}

// As the report prints an unformatted number: plain digits, nothing when unset.
QString Plain(const Number& number) {
    return number ? QString::fromStdString(SignedPlainText(*number)).trimmed() : QString();
}

// Sorting on, yet the rows stay in the report's order until a header is clicked.
void KeepRowOrderUntilSorted(ResultTable& table) {
    table.horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table.setSortingEnabled(true);
}

}  // namespace

ReportRow NodeRow(const CalculationResult& result, int k) {
    const NetworkModel& model = result.model;
    const NetworkNode& node = model.nodes[k];
    const Number number = k == 0 ? Number(0.0) : NodeNumberOfIndex(model, k);
    const double load = FlowToLoad(node.demand, model.supplyTemperature, model.returnTemperature);
    const double supply = node.supplyPressure / kPaPerKPa, ret = node.returnPressure / kPaPerKPa;
    const double difference = node.pressureDifference / kPaPerKPa;
    return {{Plain(number), Picture(load, "###0.0#"), Picture(node.demand, "####0.#"), Picture(supply, "###0.##"),
             Picture(ret, "###0.##"), Picture(difference, "###0.0#"), node.demand < 0 ? "热源" : ""},
            {ValueOf(number), load, node.demand, supply, ret, difference},
            {}};
}

ReportRow SegmentRow(const CalculationResult& result, int position, int row) {
    const NetworkModel& model = result.model;
    const NetworkSegment& segment = model.segments[position];
    // Read from the upstream end, as the report's rows are.
    const bool leavesSource = segment.indexI == model.sourceIndex;
    const double sign = leavesSource ? 1 : -1;
    const Number from = leavesSource ? segment.nodeI : segment.nodeJ;
    const Number to = leavesSource ? segment.nodeJ : segment.nodeI;
    const NetworkNode& end = model.nodes[leavesSource ? segment.indexJ : segment.indexI];
    const double diameter = ValueOf(result.table.Diameter(segment.sizeIndex));
    const double values[] = {double(row + 1), ValueOf(from), ValueOf(to), diameter,
                             ValueOf(segment.length), segment.calculationLength, segment.flow * sign,
                             segment.velocity * sign, segment.specificLoss * sign,
                             segment.pressureDifference * sign / kPaPerKPa,
                             end.supplyPressure / kPaPerKPa, end.returnPressure / kPaPerKPa,
                             end.pressureDifference / kPaPerKPa};
    ReportRow texts{{QString::number(row + 1), Plain(from), Plain(to), Plain(result.table.Diameter(segment.sizeIndex)),
                     Plain(segment.length), Plain(segment.calculationLength), Picture(values[6], "#####.0"),
                     Picture(values[7], "##0.##"), Picture(values[8], "####0.#"), Picture(values[9], "####0.##"),
                     Picture(values[10], "####0.0#"), Picture(values[11], "####0.0#"), Picture(values[12], "####0.0#")},
                    QList<double>(std::begin(values), std::end(values)),
                    {}};
    const double limit = ZoneLimit(segment, model.branchStartNode);
    const QString loss = Picture(std::fabs(segment.specificLoss), "####0.#");
    if (model.sizing.heldAtLargestSize.Holds(position))
        texts.remark = QString("已取最大管径,比摩阻 %1 Pa/m 仍超过限值 %2 Pa/m").arg(loss).arg(limit);
    else if (EnlargementStep(segment.specificLoss, limit) > 0)
        texts.remark = QString("比摩阻 %1 Pa/m 超过限值 %2 Pa/m").arg(loss).arg(limit);
    return texts;
}

ResultTable* MakeNodeTable(const CalculationResult& result) {
    const NetworkModel& model = result.model;
    auto* table = new ResultTable({"节点号", "热负荷\nMW", "水量\nt/h", "供水压力\nkPa", "回水压力\nkPa",
                                   "供回水压差\nkPa", "备注"});
    for (int k = 0; k <= model.M(); ++k) {
        const ReportRow row = NodeRow(result, k);
        // Row 0 is the heat source, which the diagram knows by its own index.
        table->AddRow(k == 0 ? model.sourceIndex : k, row.texts, row.values);
    }
    KeepRowOrderUntilSorted(*table);
    return table;
}

ResultTable* MakeSegmentTable(const CalculationResult& result) {
    const NetworkModel& model = result.model;
    auto* table = new ResultTable({"序号", "起点\nI0", "终点\nJ0", "管径 D\nmm", "管段长度 L\nm",
                                   "计算长度 Lj\nm", "流量 Q\nt/h", "流速 W\nm/s", "比摩阻 DP\nPa/m",
                                   "管段压降 P\nkPa", "供水压力 PG\nkPa", "回水压力 PH\nkPa",
                                   "供回水压差 PG-PH\nkPa"});
    const std::vector<int> rows = DecideSegmentRowOrder(model).positions;
    for (size_t row = 0; row < rows.size(); ++row) {
        const int position = rows[row] - 1;
        const ReportRow texts = SegmentRow(result, position, int(row));
        table->AddRow(position, texts.texts, texts.values);
        if (texts.remark.isEmpty()) continue;
        const bool held = model.sizing.heldAtLargestSize.Holds(position);
        table->MarkRow(int(row), held ? QColor(255, 190, 190) : QColor(255, 235, 170), texts.remark);
    }
    KeepRowOrderUntilSorted(*table);
    return table;
}

}  // namespace heatnet
