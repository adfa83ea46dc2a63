#include "data/network_table.h"

#include <algorithm>

#include "data/base_data_fields.h"
#include "data/base_data_file.h"
#include "data/number_text.h"
#include "data/quoted_text.h"

namespace heatnet {
namespace {

// What a cell shows for a value: unset stays an empty cell, so that writing the
// table back leaves the field as empty as the file had it.
std::string CellText(const Number& number) { return number ? NumberInText(number) : std::string(); }

}  // namespace

const std::array<std::size_t, NetworkTable::kBasicValues> kBasicValueFields = {0, 1, 2, 3, 4, 7};
const std::array<std::size_t, 5> kSegmentColumnFields = {3, 4, 0, 1, 2};

std::string NotANumberMessage(const std::string& record, const char* label, const std::string& text) {
    return record + label + "\"" + QuotedForMessage(text) + "\"不是数字,请改正。";
}

NetworkTable TableFromProjectData(const ProjectData& data) {
    NetworkTable table;
    for (int b = 0; b < NetworkTable::kBasicValues; ++b)
        table.basic[b] = CellText(data.*kHeaderFields[kBasicValueFields[b]].member);
    table.segments.resize(std::min(PipeRecordCount(data), kMaxRecords));
    for (size_t i = 0; i < table.segments.size(); ++i)
        for (size_t c = 0; c < kSegmentColumnFields.size(); ++c)
            table.segments[i][c] = CellText(data.pipes[i + 1].*kSegmentFields[kSegmentColumnFields[c]].member);
    table.loads.resize(std::min(LoadRecordCount(data), kMaxRecords));
    for (size_t k = 0; k < table.loads.size(); ++k)
        for (size_t c = 0; c < kLoadFields.size(); ++c)
            table.loads[k][c] = CellText(data.loads[k + 1].*kLoadFields[c].member);
    return table;
}

std::optional<ProjectData> ProjectDataFromTable(const NetworkTable& table, TableRefusal* refusal) {
    using Grid = TableRefusal::Grid;
    // Cells are read in the order the grids show them; the first text that is
    // not a number stops the reading and is named.
    const auto read = [refusal](const std::string& text, Number& target, Grid grid, size_t row, size_t column,
                                const std::string& record, const char* label) {
        const std::optional<Number> number = ParseNumberField(text);
        if (number) target = *number;
        else if (refusal)
            *refusal = {grid, static_cast<int>(row), static_cast<int>(column), NotANumberMessage(record, label, text)};
        return number.has_value();
    };
    std::optional<ProjectData> data(std::in_place);
    for (int b = 0; b < NetworkTable::kBasicValues; ++b) {
        const HeaderField& field = kHeaderFields[kBasicValueFields[b]];
        if (!read(table.basic[b], (*data).*field.member, Grid::kBasic, 0, b, "", field.label))
            return std::nullopt;
    }
    // More rows than the record tables hold are counted, so that the writer
    // refuses the file with its own message; their texts are still checked.
    data->pipeCount = static_cast<double>(table.segments.size());
    data->nodeCount = static_cast<double>(table.loads.size() + 1);
    PipeSegment spareSegment;
    for (size_t i = 0; i < table.segments.size(); ++i) {
        PipeSegment& pipe = i < kMaxRecords ? data->pipes[i + 1] : spareSegment;
        for (size_t c = 0; c < kSegmentColumnFields.size(); ++c) {
            const SegmentField& field = kSegmentFields[kSegmentColumnFields[c]];
            if (!read(table.segments[i][c], pipe.*field.member, Grid::kSegments, i, c,
                      SegmentRecordName(static_cast<int>(i) + 1), field.label))
                return std::nullopt;
        }
    }
    NodeLoad spareLoad;
    for (size_t k = 0; k < table.loads.size(); ++k) {
        NodeLoad& load = k < kMaxRecords ? data->loads[k + 1] : spareLoad;
        for (size_t c = 0; c < kLoadFields.size(); ++c)
            if (!read(table.loads[k][c], load.*kLoadFields[c].member, Grid::kLoads, k, c,
                      LoadRecordName(static_cast<int>(k) + 1), kLoadFields[c].label))
                return std::nullopt;
    }
    return data;
}

}  // namespace heatnet
