#include "calculation/closing_sequence.h"


#include "calculation/program_directory.h"
#include "data/application_texts.h"
#include "reports/diagram_template.h"
#include "reports/dxf_diagram.h"
#include "reports/excel_report.h"
#include "reports/sized_data_file.h"

namespace heatnet {

OutputFiles OutputFilesFor(const std::string& baseName) {
    return {baseName + "_OUT.TXT", baseName + "#.TXT", baseName + ".dxf", baseName + ".XLSX"};
}

std::string ClosingMessage(const OutputFiles& files, bool workbookWritten,
                           const SegmentRowOrder& order, bool diagramWritten) {
    std::string text = "计算表见:" + (workbookWritten ? files.workbook : files.report);
    // Without a template no diagram is written; an older file of that name
    // would belong to another calculation.
    if (order.nodeOrder && diagramWritten) text += "\r\n水压图文件名:" + files.diagram;
    return text;
}

void RunClosingSequence(const NetworkModel& model, const StandardPipeTable& table,
                        const SegmentRowOrder& order, const OutputFiles& files,
                        UserInteraction& person, const std::string& programDirectory) {
    const std::string diagramTemplate = TableFile(programDirectory, kDiagramTemplateName);
    const bool diagramWritten = WriteDiagram(model, diagramTemplate, files.diagram, person);
    bool workbookWritten = false;
    if (person.AskYesNo(kExcelQuestion, kExcelQuestionCaption))
        workbookWritten = ExportExcelReport(model, table, order, files.workbook, person);
    person.ShowMessage(ClosingMessage(files, workbookWritten, order, diagramWritten),
                       kApplicationTitle);
    person.OpenInEditor(files.report);
    WriteSizedDataFile(model, table, files.sizedData, person);
}

}  // namespace heatnet
