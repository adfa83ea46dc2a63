#include "reports/text_report.h"

#include "hydraulics/node_demands.h"
#include "hydraulics/units.h"
#include "reports/print_line.h"
#include "reports/segment_search_limit.h"

namespace heatnet {
namespace {

void WriteNodeTable(const NetworkModel& model, PrintedText& out) {
    out.TabTo(20).Text("水力计算--节点压力和负荷").EndLine();
    out.TabTo(1).Text("节点号").TabTo(10).Text("热负荷").TabTo(20).Text("水量");
    out.TabTo(30).Text("供水压力").TabTo(40).Text("回水压力").TabTo(50).Text("供回水压差").EndLine();
    out.Text("     ").TabTo(14).Text("MW").TabTo(26).Text("t/h").TabTo(38).Text("Kpa");
    out.TabTo(52).Text("Kpa").TabTo(68).Text("Kpa").EndLine();
    for (int k = 0; k <= model.M(); ++k) {
        const NetworkNode& node = model.nodes[k];
        out.Number(k == 0 ? Number(0.0) : NodeNumberOfIndex(model, k));
        out.TabTo(14).Formatted(
            FlowToLoad(node.demand, model.supplyTemperature, model.returnTemperature), "###0.0#");
        out.TabTo(26).Formatted(node.demand, "####0.#");
        out.TabTo(38).Formatted(node.supplyPressure / kPaPerKPa, "###0.##");
        out.TabTo(53).Formatted(node.returnPressure / kPaPerKPa, "###0.##");
        out.TabTo(66).Formatted(node.pressureDifference / kPaPerKPa, "###0.0#");
        if (node.demand < 0) out.TabTo(76).Text("热源");
        out.EndLine();
    }
    out.EndLine().EndLine();
}

void WritePressures(const NetworkNode& node, PrintedText& out) {
    out.TabTo(82).Formatted(node.supplyPressure / kPaPerKPa, "####0.0#");
    out.TabTo(91).Formatted(node.returnPressure / kPaPerKPa, "####0.0#");
    out.TabTo(100).Formatted(node.pressureDifference / kPaPerKPa, "####0.0#");
}

void WriteSegmentRow(const NetworkModel& model, const StandardPipeTable& table, int rowNumber,
                     const NetworkSegment& segment, PrintedText& out) {
    // Rows read from the upstream end: segments at the source as stored, all
    // others reversed, so that they show the pressures of their downstream node.
    const bool leavesSource = segment.indexI == model.sourceIndex;
    const double sign = leavesSource ? 1 : -1;
    out.TabTo(1).Number(double(rowNumber));
    out.TabTo(7).Number(leavesSource ? segment.nodeI : segment.nodeJ);
    out.TabTo(14).Number(leavesSource ? segment.nodeJ : segment.nodeI);
    out.TabTo(21).Number(table.Diameter(segment.sizeIndex));
    out.TabTo(29).Number(segment.length);
    out.TabTo(38).Number(segment.calculationLength);
    out.TabTo(46).Formatted(segment.flow * sign, "#####.0");
    out.TabTo(56).Formatted(segment.velocity * sign, "##0.##");
    out.TabTo(65).Formatted(segment.specificLoss * sign, "####0.#");
    out.TabTo(73).Formatted(segment.pressureDifference * sign / kPaPerKPa, "####0.##");
    WritePressures(model.nodes[leavesSource ? segment.indexJ : segment.indexI], out);
    out.EndLine();
}

void WriteSegmentTable(const NetworkModel& model, const StandardPipeTable& table,
                       const SegmentRowOrder& order, PrintedText& out) {
    out.TabTo(20).Text("水力计算书").EndLine();
    out.Text("序号  起点   终点   管径  管段长度  计算长度  流量     流速    比摩阻  管段压降  供水压力 "
             "回水压力 供回水压差")
        .EndLine();
    out.Text("       I0    J0       D       L         Lj     Q        W        DP      P         PG  "
             "     PH       PG-PH")
        .EndLine();
    out.Text("                     mm      m          m     t/h      w/s     pa/m     kPa       kPa "
             "     kPa       kPa")
        .EndLine();
    out.Text(" 0").TabTo(15).Text("0");
    WritePressures(model.nodes[0], out);
    out.EndLine();
    for (size_t row = 0; row < order.positions.size(); ++row)
        WriteSegmentRow(model, table, static_cast<int>(row + 1),
                        model.segments[order.positions[row] - 1], out);
}

}  // namespace

SegmentRowOrder DecideSegmentRowOrder(const NetworkModel& model) {
    SegmentRowOrder order;
    const int count = model.SegmentCount();
    const int searched = std::min(count, kSegmentSearchLimit);
    std::vector<int> found;
    order.checkPassed = true;
    for (int r = 1; r <= count && order.checkPassed; ++r) {
        int position = 0;
        for (int s = 1; s <= searched && position == 0; ++s) {
            const NetworkSegment& segment = model.segments[s - 1];
            if (segment.indexI == r ||
                (r == 1 && segment.indexI == model.sourceIndex && segment.indexJ == 1))
                position = s;
        }
        if (position == 0) order.checkPassed = false;
        found.push_back(position);
    }
    order.nodeOrder = order.checkPassed && model.M() >= count;
    if (order.nodeOrder) {
        order.positions = found;
    } else {
        for (int s = 1; s <= count; ++s) order.positions.push_back(s);
    }
    return order;
}

Number NodeNumberOfIndex(const NetworkModel& model, int index) {
    Number number;
    for (const NetworkSegment& segment : model.segments) {
        if (segment.indexI == index) number = segment.nodeI;
        if (segment.indexJ == index) number = segment.nodeJ;
    }
    return number;
}

std::string FormatCalculationReport(const NetworkModel& model, const StandardPipeTable& table,
                                    const SegmentRowOrder& order) {
    PrintedText out;
    WriteNodeTable(model, out);
    WriteSegmentTable(model, table, order, out);
    return out.Utf8();
}

}  // namespace heatnet
