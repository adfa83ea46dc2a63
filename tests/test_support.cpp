#include "test_support.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "calculation/program_directory.h"

#ifndef HEATNET_CALC  // the window tests run no heatnet-calc
#define HEATNET_CALC "heatnet-calc"
#endif

namespace heatnet::testing {

namespace fs = std::filesystem;

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "heatnet-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string SourcePath(const std::string& relative) { return (fs::path(HEATNET_SOURCE_DIR) / relative).string(); }

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string WithPath(std::string text, const std::string& path) {
    for (size_t at = 0; (at = text.find('@', at)) != std::string::npos; at += path.size()) text.replace(at, 1, path);
    return text;
}

std::unique_ptr<CalculationResult> Calculate(const std::string& dataFile, UserInteraction& person,
                                             const std::string& program) {
    return RunHydraulicCalculation(dataFile, person, program.empty() ? ProgramDirectory() : program);
}

std::pair<int, std::string> RunHeatnetCalc(const std::vector<std::string>& arguments, bool asNobody,
                                           const std::string& program) {
    // Every word in single quotes, so that blanks and Chinese pass through the shell.
    const auto quoted = [](const std::string& word) {
        std::string out = "'";
        for (const char c : word) out.append(c == '\'' ? "'\\''" : std::string(1, c));
        return out.append("'");
    };
    std::string command = asNobody ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    command += quoted(program.empty() ? HEATNET_CALC : program);
    for (const std::string& argument : arguments) command.append(" ").append(quoted(argument));
    // stderr into the pipe, stdout away.
    FILE* pipe = ::popen((command + " </dev/null 2>&1 >/dev/null").c_str(), "r");
    std::string errors;
    for (int c; (c = std::fgetc(pipe)) != EOF;) errors += static_cast<char>(c);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, errors};
}

}  // namespace heatnet::testing
