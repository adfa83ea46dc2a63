#include "reports/exchange_values.h"

#include <charconv>
#include <cmath>

#include "data/number_text.h"
#include "hydraulics/node_demands.h"
#include "reports/text_report.h"

namespace heatnet {
namespace {

constexpr double kWattsPerMegawatt = 1e6;
constexpr double kSecondsPerHourPerTonne = 3.6;  // t/h to kg/s
constexpr double kKilogramsPerTonne = 1000;

ExchangeNodeRow NodeRow(const NetworkModel& model, int index, const Number& number) {
    const NetworkNode& node = model.nodes[index];
    ExchangeNodeRow row;
    row.id = NodeId(number);
    row.number = number;
    row.index = index;
    row.load = FlowToLoad(node.demand, model.supplyTemperature, model.returnTemperature) * kWattsPerMegawatt;
    row.flow = node.demand / kSecondsPerHourPerTonne;
    row.volumeFlow = node.demand * kKilogramsPerTonne / model.density;
    row.supplyPressure = node.supplyPressure;
    row.returnPressure = node.returnPressure;
    row.pressureDifference = node.pressureDifference;
    return row;
}

}  // namespace

std::string FullPrecisionText(double value) {
    if (value == 0) return "0";  // a reversed zero flow is no "-0"
    // Plain digits wherever a spreadsheet shows them so (500000, not 5e+05);
    // an exponent only for magnitudes no network has.
    const double magnitude = std::fabs(value);
    const std::chars_format form =
        magnitude >= 1e-6 && magnitude < 1e15 ? std::chars_format::fixed : std::chars_format::general;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, form);
    return std::string(text, result.ptr);
}

std::string NodeId(const Number& number) { return NumberInText(number.value_or(0.0)); }  // unset is node 0

std::string PipeId(const PipeSegment& record) { return NodeId(record.startNode) + "-" + NodeId(record.endNode); }

std::vector<ExchangeNodeRow> ExchangeNodeRows(const NetworkModel& model) {
    std::vector<ExchangeNodeRow> rows{NodeRow(model, 0, 0.0)};
    for (int index = 1; index <= model.M(); ++index) rows.push_back(NodeRow(model, index, NodeNumberOfIndex(model, index)));
    return rows;
}

std::vector<ExchangeSegmentRow> ExchangeSegmentRows(const ProjectData& data, const NetworkModel& model,
                                                    const StandardPipeTable& table) {
    std::vector<ExchangeSegmentRow> rows(model.segments.size());
    for (const NetworkSegment& segment : model.segments) {
        if (segment.record < 0 || segment.record >= int(rows.size())) continue;
        PipeSegment record = data.pipes[segment.record + 1];
        const double start = ValueOf(record.startNode), end = ValueOf(record.endNode);
        const double i = ValueOf(segment.nodeI), j = ValueOf(segment.nodeJ);
        if (!((start == i && end == j) || (start == j && end == i)))
            record = {segment.givenDiameter, segment.length, segment.equivalentLength, segment.nodeI, segment.nodeJ};
        // The calculation turns segments to its own I/J ends; the files keep the record's.
        const double sign = ValueOf(record.startNode) == i ? 1 : -1;
        ExchangeSegmentRow& row = rows[segment.record];
        row.lengthRead = record.length;
        row.equivalentLengthRead = record.equivalentLength;
        row.startNode = record.startNode;
        row.endNode = record.endNode;
        row.startId = NodeId(record.startNode);
        row.endId = NodeId(record.endNode);
        row.id = row.startId + "-" + row.endId;
        row.diameter = table.Diameter(segment.sizeIndex);
        row.length = ValueOf(record.length);
        row.calculationLength = segment.calculationLength;
        row.flow = sign * segment.flow / kSecondsPerHourPerTonne;
        row.volumeFlow = sign * segment.flow * kKilogramsPerTonne / model.density;
        row.velocity = sign * segment.velocity;
        row.specificLoss = sign * segment.specificLoss;
        row.pressureDrop = sign * segment.pressureDifference;
    }
    return rows;
}

}  // namespace heatnet
