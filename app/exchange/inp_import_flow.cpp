#include "app/exchange/inp_import_flow.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "data/application_texts.h"
#include "data/base_data_file.h"
#include "data/file_io.h"
#include "data/number_text.h"
#include "reports/inp_import.h"

namespace heatnet {
namespace {

constexpr const char* kCaption = "导入INP";

// Two numbers apart by a comma (also the full-width one a Chinese keyboard
// types), a semicolon or blanks: "130,70", "130，70", "130 70".
std::optional<std::pair<double, double>> TemperaturePair(const std::string& typed) {
    std::string text;
    for (size_t i = 0; i < typed.size(); ++i) {
        if (typed.compare(i, 3, "，") == 0) {
            text += ' ';
            i += 2;
            continue;
        }
        const char c = typed[i];
        text += c == ',' || c == ';' || c == '\t' ? ' ' : c;
    }
    std::vector<std::string> fields;
    for (size_t at = 0; at < text.size();) {
        const size_t start = text.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        at = std::min(text.find(' ', start), text.size());
        fields.push_back(text.substr(start, at - start));
    }
    if (fields.size() != 2) return std::nullopt;
    const std::optional<Number> supply = ParseNumberField(fields[0]), ret = ParseNumberField(fields[1]);
    if (!supply || !ret || !*supply || !*ret) return std::nullopt;
    return std::pair{supply->value(), ret->value()};
}

std::string DefaultDataFileName(const std::string& inpPath) {
    const size_t slash = inpPath.find_last_of('/');
    const size_t dot = inpPath.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? inpPath.substr(0, dot) : inpPath) + ".TXT";
}

}  // namespace

void ImportInpAndEdit(const std::string& inpPath, ProgramWindows& windows) {
    GuiInteraction& person = windows.person;
    WindowDialogs& dialogs = person.Dialogs();
    if (HasWildcard(inpPath)) {
        person.ShowMessage(WildcardNameMessage(inpPath), kApplicationTitle);
        return;
    }
    if (!FileExists(inpPath)) {
        person.ShowMessage("文件 " + inpPath + " 不存在。", kCaption);
        return;
    }
    const std::optional<std::string> answer =
        dialogs.AskForText("导入后的基本数据文件名:", kCaption, DefaultDataFileName(inpPath));
    if (!answer || answer->empty()) return;
    if (HasWildcard(*answer)) {
        person.ShowMessage(WildcardNameMessage(*answer), kApplicationTitle);
        return;
    }
    const std::string dataFile = SplitDataFileName(*answer).fileName;
    if (const std::string held = HeldElsewhereMessage(dataFile, nullptr, windows); !held.empty()) {
        person.ShowMessage(held, kCaption);
        return;
    }
    if (FileExists(dataFile) &&
        !dialogs.AskYesNo("文件 " + dataFile + " 已存在,是否用导入的数据替换?", kCaption))
        return;

    InpImportOptions options;
    options.replace = true;
    options.diameters = dialogs.AskYesNo("是否保留INP文件中的管径作为已知管径?\r\n"
                                         "(选\"否\"则管径填0,由计算选择)",
                                         kCaption)
                            ? InpDiameters::kGiven
                            : InpDiameters::kAuto;
    InpImportOutcome outcome = ImportInpFile(inpPath, dataFile, options);
    while (outcome.temperaturesMissing) {
        const std::optional<std::string> typed = dialogs.AskForText(
            "INP文件中没有设计温度,请输入供水温度,回水温度(℃):", kCaption, "130,70");
        if (!typed) return;
        const std::optional<std::pair<double, double>> pair = TemperaturePair(*typed);
        if (!pair || pair->first == pair->second) {
            person.ShowMessage("请输入两个不同的温度,如 130,70。", kCaption);
            continue;
        }
        options.temperatures = *pair;
        outcome = ImportInpFile(inpPath, dataFile, options);
    }
    if (!outcome.message.empty()) {
        person.ShowMessage(outcome.message, kCaption);
        return;
    }
    OpenTableEditor(dataFile, windows);
}

}  // namespace heatnet
