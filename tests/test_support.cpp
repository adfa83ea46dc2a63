#include "test_support.h"

#include <fstream>
#include <iterator>
#include <random>

#include "calculation/program_directory.h"

namespace heatnet::testing {

TemporaryFolder::TemporaryFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("heatnet-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string SourcePath(const std::string& relative) {
    return (std::filesystem::path(HEATNET_SOURCE_DIR) / relative).string();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::unique_ptr<CalculationResult> Calculate(const std::string& dataFile,
                                             RecordingInteraction& person) {
    return RunHydraulicCalculation(dataFile, person, ProgramDirectory());
}

}  // namespace heatnet::testing
