#include "app/entry_windows/load_base_data_for_entry.h"

#include "data/file_io.h"

namespace heatnet {

ErrorMessage LoadBaseDataForEntry(const std::string& chosenName, ProjectData& data) {
    if (HasWildcard(chosenName))
        return WildcardNameMessage(chosenName);
    const DataFileNames names = SplitDataFileName(chosenName);
    const bool fileExisted = FileExists(names.fileName);
    if (fileExisted) {
        // The reader leaves the record untouched on a refusal, and so is its name.
        if (const ErrorMessage error = ReadBaseDataFile(names.fileName, data); !error.empty())
            return error + "\r\n请用'修改数据'改正该文件。";
        // The records beyond the file's counts still hold the previous fill-in's;
        // raising a count must show them empty, not write them into this file.
        for (int i = PipeRecordCount(data) + 1; i <= kMaxRecords; ++i) data.pipes[i] = {};
        for (int k = LoadRecordCount(data) + 1; k <= kMaxRecords; ++k) data.loads[k] = {};
    }
    data.fileName = names.fileName;
    data.baseName = names.baseName;
    data.fileExisted = fileExisted;
    return {};
}

}  // namespace heatnet
