#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace heatnet::testing {

struct CommandRun {
    int status = -1;     // exit status, -1 when the program did not end normally
    std::string errors;  // everything written to stderr
};

// Runs heatnet-calc with the arguments. With `asOtherUser` it runs as the user
// "nobody", for whom permission bits hold even when the tests run as root.
CommandRun RunHeatnetCalc(const std::vector<std::string>& arguments, bool asOtherUser = false,
                          const std::string& program = HEATNET_CALC);

// Copies heatnet-calc and its two tables into `folder` (readable by everyone),
// so that another user can run it wherever the build lies; returns its path.
std::string CopyProgram(const std::filesystem::path& folder);

// The names in a folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

bool RunningAsRoot();

}  // namespace heatnet::testing
