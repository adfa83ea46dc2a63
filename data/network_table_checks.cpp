#include "data/network_table_checks.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "data/base_data_fields.h"
#include "data/number_text.h"

namespace heatnet {
namespace {

using Grid = TableRefusal::Grid;

// Node numbers as they are compared by the calculation: unset counts as 0.
using NodeSet = std::unordered_set<double>;

// A segment's ends, each present when its text is a number.
struct SegmentEnds {
    std::optional<Number> start, end;
    bool Read() const { return start && end; }
};

// The texts of one grid read as numbers, with a problem for each text that is
// not one and each value its field's rule refuses, worded as the entry boxes
// and the reader word them.
class CellReader {
public:
    explicit CellReader(std::vector<TableProblem>& problems) : problems_(problems) {}

    template <typename Record>
    std::optional<Number> Read(const std::string& text, const BaseDataField<Record>& field, Grid grid,
                               int row, int column, const std::string& record) {
        const std::optional<Number> number = ParseNumberField(text);
        if (!number) {
            problems_.push_back({grid, row, column, NotANumberMessage(record, field.label, text), true});
            return std::nullopt;
        }
        const double v = ValueOf(*number);
        const bool finite = std::isfinite(v);
        if (field.rule && !(finite && field.rule->accepts(v)))
            problems_.push_back({grid, row, column,
                                 record + field.label + NumberInText(*number) + "不可用:" + field.label +
                                     (finite ? field.rule->requirement : kFiniteRule.requirement) + "。",
                                 true});
        return number;
    }

private:
    std::vector<TableProblem>& problems_;
};

// The calculation's own words, so that the person sees the same sentence here
// and when it refuses the file.
std::string SameEndsMessage(int record, const Number& node) {
    return "第" + std::to_string(record) + "根管道的起点和终点编号相同(" + NumberInText(node) + "),请检查。";
}

std::string PairText(const SegmentEnds& ends) {
    const Number& start = *ends.start;
    const Number& end = *ends.end;
    const bool startIsLarger = ValueOf(start) > ValueOf(end);
    return NumberInText(startIsLarger ? end : start) + "-" + NumberInText(startIsLarger ? start : end);
}

std::string UnconnectedMessage(int record, const SegmentEnds& ends) {
    // The calculation's words for one such segment.
    return "有1根管道与主热源(节点0)不相连:第" + std::to_string(record) + "根管道(节点" + PairText(ends) +
           "),请检查管段起点和终点编号。";
}

std::string CountMessage(const char* label, size_t count, int maximum) {
    return label + std::to_string(count) + "不可用:" + label + "应为0到" + std::to_string(maximum) +
           "之间的整数。";
}

// The nodes that segments connect to node 0, as the calculation's walk from the
// main heat source reaches them.
NodeSet NodesReachedFromSource(const std::vector<SegmentEnds>& segments) {
    std::unordered_multimap<double, double> neighbours;
    neighbours.reserve(segments.size() * 2);
    for (const SegmentEnds& s : segments) {
        if (!s.Read()) continue;
        neighbours.emplace(ValueOf(*s.start), ValueOf(*s.end));
        neighbours.emplace(ValueOf(*s.end), ValueOf(*s.start));
    }
    NodeSet reached = {0.0};
    std::vector<double> waiting = {0.0};
    while (!waiting.empty()) {
        const double node = waiting.back();
        waiting.pop_back();
        const auto [first, last] = neighbours.equal_range(node);
        for (auto it = first; it != last; ++it)
            if (reached.insert(it->second).second) waiting.push_back(it->second);
    }
    return reached;
}

void CheckBasicValues(const NetworkTable& table, CellReader& cells, std::vector<TableProblem>& problems) {
    std::array<std::optional<Number>, NetworkTable::kBasicValues> values;
    for (int b = 0; b < NetworkTable::kBasicValues; ++b)
        values[b] = cells.Read(table.basic[b], kHeaderFields[kBasicValueFields[b]], Grid::kBasic, 0, b, "");
    // No flow follows from the loads without a temperature difference.
    if (values[0] && values[1] && ValueOf(*values[0]) == ValueOf(*values[1]))
        problems.push_back({Grid::kBasic, 0, 1, "供水温度与回水温度相同,无法由热负荷求得流量,请检查供回水温度。", true});
}

}  // namespace

std::vector<TableProblem> CheckNetworkTable(const NetworkTable& table) {
    std::vector<TableProblem> problems;
    CellReader cells(problems);
    CheckBasicValues(table, cells, problems);

    std::vector<SegmentEnds> segments(table.segments.size());
    for (size_t i = 0; i < table.segments.size(); ++i) {
        const std::string record = SegmentRecordName(static_cast<int>(i) + 1);
        std::array<std::optional<Number>, 5> values;
        for (size_t c = 0; c < values.size(); ++c)
            values[c] = cells.Read(table.segments[i][c], kSegmentFields[kSegmentColumnFields[c]], Grid::kSegments,
                                   static_cast<int>(i), static_cast<int>(c), record);
        segments[i] = {values[0], values[1]};
    }
    std::vector<std::optional<Number>> loadNodes(table.loads.size());
    for (size_t k = 0; k < table.loads.size(); ++k) {
        const std::string record = LoadRecordName(static_cast<int>(k) + 1);
        loadNodes[k] = cells.Read(table.loads[k][0], kLoadFields[0], Grid::kLoads, static_cast<int>(k), 0, record);
        cells.Read(table.loads[k][1], kLoadFields[1], Grid::kLoads, static_cast<int>(k), 1, record);
    }

    NodeSet withLoad, reachedBySegment;
    for (const std::optional<Number>& node : loadNodes)
        if (node) withLoad.insert(ValueOf(*node));
    // A segment with one end still being typed reaches its other end all the same.
    for (const SegmentEnds& s : segments)
        for (const std::optional<Number>& node : {s.start, s.end})
            if (node) reachedBySegment.insert(ValueOf(*node));
    const NodeSet connected = NodesReachedFromSource(segments);

    // Unordered pairs of ends, smaller first, with the row that joined them first.
    std::unordered_map<double, std::unordered_map<double, int>> firstJoining;
    for (size_t i = 0; i < segments.size(); ++i) {
        const SegmentEnds& s = segments[i];
        if (!s.Read()) continue;
        const int row = static_cast<int>(i), record = row + 1;
        const double a = ValueOf(*s.start), b = ValueOf(*s.end);
        if (a == b) problems.push_back({Grid::kSegments, row, 0, SameEndsMessage(record, *s.start), true});
        const auto [earlier, isFirst] = firstJoining[std::min(a, b)].try_emplace(std::max(a, b), record);
        if (!isFirst)
            problems.push_back({Grid::kSegments, row, 0,
                                "第" + std::to_string(record) + "根管道与第" + std::to_string(earlier->second) +
                                    "根管道连接相同的两个节点(" + PairText(s) + "),请检查。",
                                false});
        for (int c = 0; c < 2; ++c) {
            const Number& node = c == 0 ? *s.start : *s.end;
            if (ValueOf(node) != 0 && !withLoad.contains(ValueOf(node)) && (c == 0 || a != b))
                problems.push_back({Grid::kSegments, row, c, NumberToBoxText(node) + "节点负荷没有输入", false});
        }
        if (!connected.contains(a)) problems.push_back({Grid::kSegments, row, 0, UnconnectedMessage(record, s), true});
    }
    for (size_t k = 0; k < loadNodes.size(); ++k)
        if (loadNodes[k] && !reachedBySegment.contains(ValueOf(*loadNodes[k])))
            problems.push_back({Grid::kLoads, static_cast<int>(k), 0,
                                NumberToBoxText(*loadNodes[k]) + "节点负荷不应输入或着管段节点数据输入有误", false});

    // The calculation numbers the nodes its segments name and wants one load
    // record for each but node 0; told once, on the last load record.
    const bool allRead = std::ranges::all_of(segments, [](const SegmentEnds& s) { return s.Read(); });
    const bool allConnected = std::ranges::all_of(reachedBySegment, [&](double n) { return connected.contains(n); });
    const size_t nodeCount = table.loads.size() + 1;
    if (!segments.empty() && allRead && allConnected && reachedBySegment.size() != nodeCount)
        problems.push_back({table.loads.empty() ? Grid::kSegments : Grid::kLoads,
                            table.loads.empty() ? 0 : static_cast<int>(table.loads.size()) - 1, 0,
                            "节点数为" + std::to_string(nodeCount) + ",但管道中出现的不同节点编号(含主热源0)共" +
                                std::to_string(reachedBySegment.size()) + "个,请检查节点数和管段编号。",
                            true});
    if (table.segments.size() > kMaxRecords)
        problems.push_back({Grid::kSegments, kMaxRecords, 0,
                            CountMessage(kHeaderFields[kPipeCountField].label, table.segments.size(), kMaxRecords),
                            true});
    if (table.loads.size() > kMaxRecords)
        problems.push_back({Grid::kLoads, kMaxRecords, 0,
                            CountMessage(kHeaderFields[kNodeCountField].label, table.loads.size() + 1,
                                         kMaxRecords + 1),
                            true});

    std::stable_sort(problems.begin(), problems.end(), [](const TableProblem& x, const TableProblem& y) {
        return std::tie(x.grid, x.row, x.column) < std::tie(y.grid, y.row, y.column);
    });
    return problems;
}

}  // namespace heatnet
