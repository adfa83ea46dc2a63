#include "app/entry_windows/save_target_question.h"

#include "data/application_texts.h"

namespace heatnet {
namespace {

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

std::optional<DataFileNames> AskSaveTarget(const ProjectData& data, WindowDialogs& dialogs) {
    const DataFileNames loaded{data.fileName, data.baseName};
    if (!data.fileExisted || dialogs.AskYesNo("数据文件已存在,覆盖?", "确认")) return loaded;
    int refusals = 0;
    while (refusals < 2) {
        const std::optional<std::string> answer = dialogs.AskForText("输入文件名:", "存储文件", "");
        if (!answer || IsBlank(*answer)) {
            ++refusals;
        } else if (HasWildcard(*answer)) {
            dialogs.ShowMessage("文件名 " + *answer + " 含有通配符 * 或 ?,请输入一个数据文件名。",
                                kApplicationTitle);
        } else {
            return SplitDataFileName(*answer);
        }
    }
    return std::nullopt;
}

}  // namespace heatnet
