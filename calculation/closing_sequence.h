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
// sized data file. The diagram's template is looked up from `programDirectory`.
void RunClosingSequence(const NetworkModel& model, const StandardPipeTable& table,
                        const SegmentRowOrder& order, const OutputFiles& files,
                        UserInteraction& person, const std::string& programDirectory);

// The text of the closing message. The diagram is named only when the rows
// followed node order and the diagram was written by this calculation.
std::string ClosingMessage(const OutputFiles& files, bool workbookWritten,
                           const SegmentRowOrder& order, bool diagramWritten = true);

}  // namespace heatnet
