#include "reports/closing_sequence.h"

namespace heatnet {
namespace {

// Outputs still to come; each reports whether its file was written.
void WriteDiagram(const NetworkModel&, const SegmentRowOrder&, const OutputFiles&, UserInteraction&) {}
bool ExportExcelReport(const NetworkModel&, const StandardPipeTable&, const SegmentRowOrder&,
                       const OutputFiles&, UserInteraction&) {
    return false;
}
void WriteSizedDataFile(const NetworkModel&, const StandardPipeTable&, const OutputFiles&,
                        UserInteraction&) {}

}  // namespace

OutputFiles OutputFilesFor(const std::string& baseName) {
    return {baseName + "_OUT.TXT", baseName + "#.TXT", baseName + ".dxf", baseName + ".XLSX"};
}

std::string ClosingMessage(const OutputFiles& files, bool workbookWritten,
                           const SegmentRowOrder& order) {
    std::string text = "计算表见:" + (workbookWritten ? files.workbook : files.report);
    if (order.nodeOrder) text += "\r\n水压图文件名:" + files.diagram;
    return text;
}

void RunClosingSequence(const NetworkModel& model, const StandardPipeTable& table,
                        const SegmentRowOrder& order, const OutputFiles& files,
                        UserInteraction& person) {
    WriteDiagram(model, order, files, person);
    bool workbookWritten = false;
    if (person.AskYesNo(kExcelQuestion, kExcelQuestionCaption))
        workbookWritten = ExportExcelReport(model, table, order, files, person);
    person.ShowMessage(ClosingMessage(files, workbookWritten, order), kApplicationTitle);
    person.OpenInEditor(files.report);
    WriteSizedDataFile(model, table, files, person);
}

}  // namespace heatnet
