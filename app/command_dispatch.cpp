#include "app/command_dispatch.h"

#include "data/application_texts.h"
#include "app/calculation_in_progress.h"
#include "app/results/recording_interaction.h"
#include "data/base_data_file.h"
#include "data/file_io.h"
#include "calculation/program_directory.h"
#include "calculation/run_hydraulic_calculation.h"

namespace heatnet {
namespace {

void EditByHand(const std::string& path, GuiInteraction& person) {
    if (HasWildcard(path)) {
        person.ShowMessage("文件名 " + path + " 含有通配符 * 或 ?,请先选择或输入一个数据文件名。",
                           kApplicationTitle);
        return;
    }
    if (!FileExists(path)) {
        person.ShowMessage("文件 " + path + " 不存在,请先用'填写数据'建立该数据文件。",
                           kApplicationTitle);
        return;
    }
    person.OpenDataFileInEditor(path);
}

}  // namespace

void DispatchConfirmedFile(const CommandFlow& flow, GuiInteraction& person,
                           EntryWindows& entryWindows, OpenResults& results) {
    const std::string& path = flow.SelectedDataFile;
    switch (flow.CommandMode) {
    case CommandMode::kCalculate: {
        RecordingInteraction recording(person);
        std::unique_ptr<CalculationResult> result;
        {
            const CalculationInProgress calculating;
            result = RunHydraulicCalculation(path, recording, ProgramDirectory());
        }
        if (result && result->completed)
            results.Show(std::move(result), recording.Transcript(),
                         [&person](const std::string& report) { person.OpenInEditor(report); });
        break;
    }
    case CommandMode::kFillIn: entryWindows.StartFillIn(path); break;
    case CommandMode::kEditByHand: EditByHand(path, person); break;
    case CommandMode::kNone: break;
    }
}

}  // namespace heatnet
