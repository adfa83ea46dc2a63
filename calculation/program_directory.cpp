#include "calculation/program_directory.h"

#include <filesystem>
#include <system_error>

namespace heatnet {

std::string ProgramDirectory() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error).string();
    return executable.parent_path().string();
}

}  // namespace heatnet
