#pragma once

#include <string>

#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"
#include "hydraulics/user_interaction.h"
#include "reports/text_report.h"

namespace heatnet {

// Writes the segment table into a new workbook at `path` (base name + ".XLSX").
// An earlier workbook is replaced only by a complete one. When the workbook
// cannot be written the person is told, naming the file. Returns whether it was.
bool ExportExcelReport(const NetworkModel& model, const StandardPipeTable& table,
                       const SegmentRowOrder& order, const std::string& path,
                       UserInteraction& person);

}  // namespace heatnet
