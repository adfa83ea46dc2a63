// How soon a calculation answers 取消 while sizing passes run on other threads:
// the time from the KeepAlive that says stop to the return of the calculation.
// The desktop asks at most every 50 ms; the answer should come within 100 ms.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "bench/benchmark_workspace.h"
#include "calculation/run_hydraulic_calculation.h"
#include "data/base_data_file.h"
#include "tools/network_generator.h"
#include "tools/quiet_interaction.h"

namespace heatnet {
namespace {

using Clock = std::chrono::steady_clock;

// Says stop at the first question after `after` has passed, and notes when.
class StoppingPerson final : public UserInteraction {
public:
    explicit StoppingPerson(Clock::duration after) : stopAt_(Clock::now() + after) {}
    void ShowMessage(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    void OpenInEditor(const std::string&) override {}
    void Trace(const std::string&) override {}
    bool KeepAlive(const CalculationProgress&) override {
        if (Clock::now() < stopAt_) return true;
        if (stopped_ == Clock::time_point{}) stopped_ = Clock::now();
        return false;
    }
    Clock::time_point Stopped() const { return stopped_; }

private:
    Clock::time_point stopAt_;
    Clock::time_point stopped_{};
};

// Twelve rings over 1400 segments: every pass is solved, and with more threads
// than cores each thread's pass takes longest to notice the stop.
void CancelAnswer(benchmark::State& state) {
    const int threads = static_cast<int>(state.range(0));
    const std::string file = BenchmarkWorkspace::Instance().ProgramFolder() + "/cancel_rings.TXT";
    if (!std::filesystem::exists(file) &&
        !WriteBaseDataFile(file, GenerateNetwork({.segments = 1388, .seed = 1, .loopSegments = 12})).empty()) {
        state.SkipWithError("the network could not be written");
        return;
    }
    double slowest = 0;
    for (auto _ : state) {
        StoppingPerson person(std::chrono::milliseconds(300));
        const auto result = RunHydraulicCalculation(file, person, BenchmarkWorkspace::Instance().ProgramFolder(),
                                                    SizingMethod::kForeseen, threads);
        const double answer = std::chrono::duration<double>(Clock::now() - person.Stopped()).count();
        if (result->completed || person.Stopped() == Clock::time_point{}) {
            state.SkipWithError("the calculation ended before it was stopped");
            break;
        }
        slowest = std::max(slowest, answer);
        state.SetIterationTime(answer);
    }
    state.counters["slowest_ms"] = slowest * 1000;
}
BENCHMARK(CancelAnswer)->ArgName("threads")->Arg(1)->Arg(2)->Arg(16)->Iterations(10)->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace heatnet
