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

std::string TableFile(const std::string& programDirectory, const std::string& name) {
    const std::filesystem::path folder(programDirectory);
    const std::string places[] = {(folder / name).string(),
                                  (folder / ".." / "share" / "heatnet" / name).lexically_normal().string()};
    std::error_code error;
    for (const std::string& place : places)
        if (std::filesystem::exists(place, error)) return place;
    return places[0] + " 或 " + places[1];
}

}  // namespace heatnet
