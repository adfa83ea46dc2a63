#include "calculation/run_hydraulic_calculation.h"


#include "data/base_data_file.h"
#include "data/file_io.h"
#include "hydraulics/calculation_messenger.h"
#include "hydraulics/network_calculation.h"
#include "calculation/closing_sequence.h"
#include "calculation/program_directory.h"
#include "data/gbk_text.h"
#include "reports/text_report.h"

namespace heatnet {

std::unique_ptr<CalculationResult> RunHydraulicCalculation(const std::string& fileName,
                                                           UserInteraction& person,
                                                           const std::string& programDirectory,
                                                           SizingMethod sizingMethod, int sizingThreads) {
    auto result = std::make_unique<CalculationResult>();
    CalculationMessenger messages(person);
    if (HasWildcard(fileName)) {
        messages.Refuse("文件名 " + fileName + " 含有通配符 * 或 ?,请选择一个数据文件。");
        return result;
    }
    const DataFileNames names = SplitDataFileName(fileName);
    const OutputFiles files = OutputFilesFor(names.baseName);
    NetworkModel& model = result->model;
    model.dataFileName = names.fileName;
    model.baseName = names.baseName;
    model.sizingMethod = sizingMethod;
    model.sizingThreads = sizingThreads;

    // The report exists from the start; a calculation that stops leaves it empty.
    if (!CreateEmptyFile(files.report)) {
        messages.Refuse("无法建立计算书文件 " + files.report + ",请检查文件夹是否可写。");
        return result;
    }
    result->reportFile = files.report;

    auto data = std::make_unique<ProjectData>();
    if (ErrorMessage error = ReadBaseDataFile(names.fileName, *data); !error.empty()) {
        messages.Refuse(error);
        return result;
    }
    const std::string pipeTable = TableFile(programDirectory, StandardPipeTable::kFileName);
    if (!CalculateNetwork(*data, pipeTable, model, result->table, messages)) return result;

    const SegmentRowOrder order = DecideSegmentRowOrder(model);
    std::optional<std::string> report =
        Utf8ToGbk(FormatCalculationReport(model, result->table, order));
    if (!report || !WriteFileReplacing(files.report, *report)) {
        messages.Refuse("无法写入计算书文件 " + files.report + ",请检查磁盘空间和文件夹权限。");
        return result;
    }
    result->completed = true;
    RunClosingSequence(model, result->table, order, files, person, programDirectory);
    return result;
}

}  // namespace heatnet
