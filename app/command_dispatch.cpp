#include "app/command_dispatch.h"

#include "data/application_texts.h"
#include "app/calculation_in_progress.h"
#include "app/exchange/inp_import_flow.h"
#include "app/results/recording_interaction.h"
#include "data/base_data_file.h"
#include "data/file_io.h"
#include "calculation/program_directory.h"
#include "calculation/run_hydraulic_calculation.h"

namespace heatnet {
namespace {

void EditByHand(const std::string& path, GuiInteraction& person) {
    if (HasWildcard(path)) {
        person.ShowMessage(WildcardNameMessage(path), kApplicationTitle);
        return;
    }
    if (!FileExists(path)) {
        person.ShowMessage("文件 " + path + " 不存在,请先用'填写数据'建立该数据文件。",
                           kApplicationTitle);
        return;
    }
    person.OpenDataFileInEditor(path);
}

// The fill-in and the table editor never hold one file at the same time: each
// would write its own copy over the other's.
void StartFillIn(const std::string& path, ProgramWindows& windows) {
    if (!HasWildcard(path))
        if (TableEditorWindow* editor = windows.editors.Find(SplitDataFileName(path).fileName)) {
            editor->raise();
            editor->activateWindow();
            windows.person.ShowMessage(AlreadyInTableEditorMessage(editor->FilePath()), kApplicationTitle);
            return;
        }
    windows.entries.StartFillIn(path);
}

// Runs the calculation; the results window of a completed one is returned, open.
ResultsWindow* Calculate(const std::string& path, ProgramWindows& windows) {
    GuiInteraction& person = windows.person;
    RecordingInteraction recording(person);
    std::unique_ptr<CalculationResult> result;
    {
        const CalculationInProgress calculating;
        result = RunHydraulicCalculation(path, recording, ProgramDirectory());
    }
    if (!result || !result->completed) return nullptr;
    const std::string dataFile = result->model.dataFileName;
    windows.results.Show(std::move(result), recording.Transcript(),
                         [&person](const std::string& report) { person.OpenInEditor(report); });
    ResultsWindow* shown = windows.results.Windows().back();
    OpenTableEditors& editors = windows.editors;
    shown->OfferTableEditing([&windows, dataFile] { OpenTableEditor(dataFile, windows); },
                             [&editors, dataFile] { return editors.Find(dataFile); });
    return shown;
}

}  // namespace

void OpenTableEditor(const std::string& name, ProgramWindows& windows) {
    if (HasWildcard(name)) {
        windows.person.ShowMessage(WildcardNameMessage(name), kApplicationTitle);
        return;
    }
    const std::string path = SplitDataFileName(name).fileName;
    if (SRSJ0* basic = windows.entries.BasicDataWindow(); basic && SameDataFile(windows.fillInData.fileName, path)) {
        basic->raise();
        basic->activateWindow();
        windows.person.ShowMessage(HeldElsewhereMessage(path, nullptr, windows), kApplicationTitle);
        return;
    }
    windows.editors.Open(path);
}

std::string HeldElsewhereMessage(const std::string& path, const TableEditorWindow* asking,
                                 ProgramWindows& windows) {
    if (windows.entries.BasicDataWindow() && SameDataFile(windows.fillInData.fileName, path))
        return "文件 " + path + " 已在填写数据中打开。";
    const TableEditorWindow* holder = windows.editors.Find(path);
    return holder && holder != asking ? AlreadyInTableEditorMessage(path) : std::string();
}

void CalculateFromTableEditor(const std::string& path, ProgramWindows& windows) {
    const QList<ResultsWindow*> older = windows.results.Windows();
    ResultsWindow* shown = Calculate(path, windows);
    if (!shown) return;
    for (ResultsWindow* window : older)
        if (SameDataFile(window->Result().model.dataFileName, shown->Result().model.dataFileName)) window->close();
}

void DispatchConfirmedFile(const CommandFlow& flow, ProgramWindows& windows) {
    const std::string& path = flow.SelectedDataFile;
    switch (flow.CommandMode) {
    case CommandMode::kCalculate: Calculate(path, windows); break;
    case CommandMode::kFillIn: StartFillIn(path, windows); break;
    case CommandMode::kEditByHand: EditByHand(path, windows.person); break;
    case CommandMode::kTableEdit: OpenTableEditor(path, windows); break;
    case CommandMode::kImportInp: ImportInpAndEdit(path, windows); break;
    case CommandMode::kNone: break;
    }
}

}  // namespace heatnet
