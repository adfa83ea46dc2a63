#pragma once

#include <string>

#include "data/project_data.h"
#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

inline constexpr const char* kNodeCsvName = "节点.csv";
inline constexpr const char* kSegmentCsvName = "管段.csv";

// The results as two spreadsheet tables in SI units and full precision: UTF-8
// with a byte-order mark (so a Chinese Excel reads the headers) and CR LF.
struct ResultsCsv {
    std::string nodes;     // the heat source first, then internal indices 1..M
    std::string segments;  // data-file record order, signed from start to end node
};

ResultsCsv ResultsCsvTexts(const ProjectData& data, const NetworkModel& model, const StandardPipeTable& table);

// Writes both files into `folder`, creating it when missing; empty, or the
// message for the person.
std::string WriteResultsCsv(const std::string& folder, const ProjectData& data, const NetworkModel& model,
                            const StandardPipeTable& table);

}  // namespace heatnet
