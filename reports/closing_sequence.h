#pragma once

#include <string>

#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"
#include "hydraulics/user_interaction.h"
#include "reports/text_report.h"

namespace heatnet {

// The names of every output of one calculation, all derived from the base name.
struct OutputFiles {
    std::string report;     // base + "_OUT.TXT"
    std::string sizedData;  // base + "#.TXT"
    std::string diagram;    // base + ".dxf"
    std::string workbook;   // base + ".XLSX"
};

OutputFiles OutputFilesFor(const std::string& baseName);

inline constexpr const char* kExcelQuestion = "是否将计算结果形成额EXCEL表";
inline constexpr const char* kExcelQuestionCaption = "确认";

// What follows a complete report: the diagram, the workbook on request, the
// closing message naming the result files, the editor on the report and the
// sized data file.
void RunClosingSequence(const NetworkModel& model, const StandardPipeTable& table,
                        const SegmentRowOrder& order, const OutputFiles& files,
                        UserInteraction& person);

// The text of the closing message.
std::string ClosingMessage(const OutputFiles& files, bool workbookWritten,
                           const SegmentRowOrder& order);

}  // namespace heatnet
