#include "cli/inp_import_command.h"

#include <iostream>

namespace heatnet {

int RunInpImportCommand(int, char**) {
    std::cerr << "heatnet-calc: --import-inp 尚未完成\n";
    return 2;
}

}  // namespace heatnet
