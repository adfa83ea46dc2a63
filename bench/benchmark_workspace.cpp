#include "bench/benchmark_workspace.h"

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <iostream>
#include <system_error>

#include "tools/network_generator.h"
#include "tools/quiet_interaction.h"
#include "data/base_data_file.h"
#include "calculation/program_directory.h"

namespace heatnet {
namespace {

[[noreturn]] void SetupFailed(const std::string& reason) {
    std::cerr << "heatnet-bench: " << reason << "\n";
    std::exit(1);  // static destructors still run, so the folder goes too
}

}  // namespace

void ForEveryNetworkSize(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("segments");
    for (const int segments : {50, 200, 500, 1400}) benchmark->Arg(segments);
}

BenchmarkWorkspace& BenchmarkWorkspace::Instance() {
    static BenchmarkWorkspace workspace;
    return workspace;
}

BenchmarkWorkspace::BenchmarkWorkspace() : programFolder_(ProgramDirectory()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "heatnet-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) SetupFailed("cannot create a folder under " + pattern);
    folder_ = pattern;
}

BenchmarkWorkspace::~BenchmarkWorkspace() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string BenchmarkWorkspace::BaseName(int segments) const {
    return (folder_ / ("net" + std::to_string(segments))).string();
}

std::string BenchmarkWorkspace::DataFile(int segments) {
    const std::string file = BaseName(segments) + ".TXT";
    if (std::filesystem::exists(file)) return file;
    const ProjectData data = GenerateNetwork({.segments = segments, .seed = kBenchmarkSeed});
    if (const ErrorMessage error = WriteBaseDataFile(file, data); !error.empty())
        SetupFailed(error);
    return file;
}

const CalculationResult& BenchmarkWorkspace::Calculated(int segments) {
    auto& result = calculated_[segments];
    if (!result) {
        QuietInteraction person;
        result = RunHydraulicCalculation(DataFile(segments), person, programFolder_);
        if (!result->completed)
            SetupFailed("the generated " + std::to_string(segments) +
                        "-segment network did not calculate; heatnet-generate --segments " +
                        std::to_string(segments) + " --seed " + std::to_string(kBenchmarkSeed) +
                        " and heatnet-calc show why");
    }
    return *result;
}

std::string BenchmarkWorkspace::SizedDataFile(int segments) {
    Calculated(segments);
    return OutputFilesFor(BaseName(segments)).sizedData;
}

OutputFiles BenchmarkWorkspace::WriterOutputs(int segments) const {
    return OutputFilesFor((folder_ / ("written" + std::to_string(segments))).string());
}

std::string BenchmarkWorkspace::PipeTablePath() const {
    return (std::filesystem::path(programFolder_) / StandardPipeTable::kFileName).string();
}

}  // namespace heatnet
