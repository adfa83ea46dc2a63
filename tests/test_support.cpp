#include "test_support.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include "calculation/program_directory.h"

#ifndef HEATNET_CALC  // the window tests run no heatnet-calc
#define HEATNET_CALC "heatnet-calc"
#endif

namespace heatnet::testing {

namespace fs = std::filesystem;

TemporaryFolder::TemporaryFolder() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("heatnet-test-" + std::to_string(random()) + std::to_string(random()));
    fs::create_directories(path_);
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

std::vector<std::string> SmallNetwork(const std::vector<std::string>& segments,
                                      const std::vector<std::string>& loads, const std::string& header) {
    std::vector<std::string> lines = {header, std::to_string(loads.size() + 1) + "," + std::to_string(segments.size()), "0"};
    lines.insert(lines.end(), segments.begin(), segments.end());
    lines.insert(lines.end(), loads.begin(), loads.end());
    return lines;
}

std::unique_ptr<CalculationResult> Calculate(const std::string& dataFile, RecordingInteraction& person,
                                             const std::string& program) {
    return RunHydraulicCalculation(dataFile, person, program.empty() ? ProgramDirectory() : program);
}

std::unique_ptr<Run> CalculateLines(const TemporaryFolder& folder, const std::vector<std::string>& lines,
                                    bool answerYes) {
    auto run = std::make_unique<Run>();
    run->person.answerYes = answerYes;
    WriteBytes(folder.File("net.TXT"), CrLfLines(lines));
    run->result = Calculate(folder.File("net.TXT"), run->person);
    run->report = ReadBytes(folder.File("net_OUT.TXT"));
    return run;
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
    const fs::path errors = fs::temp_directory_path() / ("heatnet-stderr-" + std::to_string(std::random_device()()));
    const int status = std::system((command + " </dev/null >/dev/null 2>" + quoted(errors.string())).c_str());
    std::pair<int, std::string> run = {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(errors.string())};
    fs::remove(errors);
    return run;
}

}  // namespace heatnet::testing
