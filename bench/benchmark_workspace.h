#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "calculation/run_hydraulic_calculation.h"
#include "calculation/closing_sequence.h"

namespace benchmark::internal {
class Benchmark;
}

namespace heatnet {

// The same seed as bench/end_to_end.sh, so that the 1400-segment figures of
// both describe one network.
inline constexpr std::uint32_t kBenchmarkSeed = 1;

// Runs a benchmark on networks of 50, 200, 500 and 1400 segments.
void ForEveryNetworkSize(benchmark::internal::Benchmark* benchmark);

// A temporary folder with the generated networks and the outputs of one
// complete calculation of each, made on first use and removed at exit. A network
// that cannot be written or calculated ends the program with a message: every
// figure would be meaningless.
class BenchmarkWorkspace {
public:
    static BenchmarkWorkspace& Instance();
    ~BenchmarkWorkspace();
    BenchmarkWorkspace(const BenchmarkWorkspace&) = delete;
    BenchmarkWorkspace& operator=(const BenchmarkWorkspace&) = delete;

    // The generated network as a basic data file, every segment still to be sized.
    std::string DataFile(int segments);
    // The data file the calculation writes back: every segment with its final
    // diameter, in the order of the connection walk.
    std::string SizedDataFile(int segments);
    // The completed calculation of DataFile(segments).
    const CalculationResult& Calculated(int segments);
    // Names for the writer benchmarks, apart from the calculation's own outputs.
    OutputFiles WriterOutputs(int segments) const;

    const std::string& ProgramFolder() const { return programFolder_; }
    std::string PipeTablePath() const;

private:
    BenchmarkWorkspace();
    std::string BaseName(int segments) const;

    std::filesystem::path folder_;
    std::string programFolder_;
    std::map<int, std::unique_ptr<CalculationResult>> calculated_;
};

}  // namespace heatnet
