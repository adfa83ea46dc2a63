#include "app/entry_windows/load_base_data_for_entry.h"

#include "data/file_io.h"

namespace heatnet {

ErrorMessage LoadBaseDataForEntry(const std::string& chosenName, ProjectData& data) {
    if (HasWildcard(chosenName))
        return "文件名 " + chosenName + " 含有通配符 * 或 ?,请先选择或输入一个数据文件名。";
    const DataFileNames names = SplitDataFileName(chosenName);
    data.fileName = names.fileName;
    data.baseName = names.baseName;
    data.fileExisted = FileExists(names.fileName);
    if (!data.fileExisted) return {};
    return ReadBaseDataFile(names.fileName, data);
}

}  // namespace heatnet
