#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "data/project_data.h"

namespace heatnet {

// One basic data file as the table editor holds it: every value as the text the
// person typed, so that nothing is turned into another value before it reads as
// a number. The counts are not held: they follow the rows.
struct NetworkTable {
    // The header fields of kHeaderFields without the two counts, in file order:
    // supply and return temperature, pump inlet pressure, remote-user
    // resistance, local-resistance coefficient, start node of the 300 Pa/m rule.
    static constexpr int kBasicValues = 6;
    using SegmentRow = std::array<std::string, 5>;  // start, end, diameter, length, equivalent length
    using LoadRow = std::array<std::string, 2>;     // node, load

    std::array<std::string, kBasicValues> basic;
    std::vector<SegmentRow> segments;
    std::vector<LoadRow> loads;

    bool operator==(const NetworkTable&) const = default;
};

// Which header field of kHeaderFields each basic value is.
extern const std::array<std::size_t, NetworkTable::kBasicValues> kBasicValueFields;
// Which field of kSegmentFields each segment column is (the grid shows the
// ends first, the file writes the diameter first).
extern const std::array<std::size_t, 5> kSegmentColumnFields;

// The texts a record's values are shown as (the entry boxes' form, without the
// sign blank; unset values as empty texts). Records beyond the counts are not taken.
NetworkTable TableFromProjectData(const ProjectData& data);

// The record the table stands for, counts from the rows, or nullopt with the
// first text that is not a number (an empty text is an unset value).
struct TableRefusal {
    enum class Grid { kBasic, kSegments, kLoads } grid = Grid::kBasic;
    int row = 0;     // 0-based; 0 for the basic values
    int column = 0;  // 0-based column of the grid: the index into basic, SegmentRow or LoadRow
    std::string message;
};
std::optional<ProjectData> ProjectDataFromTable(const NetworkTable& table, TableRefusal* refusal = nullptr);

// The words for a text that is not a number, as the entry boxes refuse it:
// "第3根管道的管段起点编号"abc"不是数字,请改正。" (`record` is empty for a basic value).
std::string NotANumberMessage(const std::string& record, const char* label, const std::string& text);

}  // namespace heatnet
