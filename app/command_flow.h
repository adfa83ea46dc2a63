#pragma once

#include <string>

namespace heatnet {

// The values through which the main window, the picker and what a confirmation
// starts talk to one another; one instance for the whole program run.
// What the picker's confirmation is to start; set by the main window's file
// commands, read when the picker is confirmed, never reset.
enum class CommandMode {
    kNone,       // no file command pressed yet: a confirmation starts nothing
    kCalculate,  // "运行"
    kFillIn,     // "填写数据"
    kEditByHand,  // "修改数据"
    kTableEdit,   // "表格编辑"
    kImportInp    // "导入INP": the picker lists *.inp
};

struct CommandFlow {
    heatnet::CommandMode CommandMode = CommandMode::kNone;
    // The full path of the last confirmed file, exactly as the picker joined it.
    std::string SelectedDataFile;
};

}  // namespace heatnet
