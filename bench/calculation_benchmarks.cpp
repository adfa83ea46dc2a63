// The stages of a calculation on generated networks: reading the data file,
// one nodal solution, and the whole run from data file to written outputs.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/benchmark_workspace.h"
#include "tools/quiet_interaction.h"
#include "data/base_data_file.h"
#include "hydraulics/calculation_messenger.h"
#include "hydraulics/network_calculation.h"
#include "hydraulics/nodal_flow_solver.h"
#include "calculation/run_hydraulic_calculation.h"

namespace heatnet {
namespace {

void ReadDataFile(benchmark::State& state) {
    const int segments = static_cast<int>(state.range(0));
    const std::string file = BenchmarkWorkspace::Instance().DataFile(segments);
    for (auto _ : state) {
        // A fresh record each time, as every calculation starts with one.
        auto data = std::make_unique<ProjectData>();
        if (const ErrorMessage error = ReadBaseDataFile(file, *data); !error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        benchmark::DoNotOptimize(data.get());
    }
    state.SetItemsProcessed(state.iterations() * segments);
}
BENCHMARK(ReadDataFile)->Apply(ForEveryNetworkSize)->Unit(benchmark::kMicrosecond);

// The network with its final sizes, so that the resistances, and with them the
// matrix, are those of the last pass of a real sizing run.
void NodalSolution(benchmark::State& state) {
    BenchmarkWorkspace& workspace = BenchmarkWorkspace::Instance();
    const int segments = static_cast<int>(state.range(0));
    const std::string file = workspace.SizedDataFile(segments);
    auto data = std::make_unique<ProjectData>();
    if (const ErrorMessage error = ReadBaseDataFile(file, *data); !error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    QuietInteraction person;
    CalculationMessenger messages(person);
    NetworkModel model;
    model.dataFileName = file;
    StandardPipeTable table;
    if (!BuildNetwork(*data, workspace.PipeTablePath(), model, table, messages)) {
        state.SkipWithError("the sized network could not be built");
        return;
    }
    for (NetworkSegment& segment : model.segments)
        segment.flowFactor = segment.calculationLength * table.Coefficient(segment.sizeIndex);
    NodalFlowSolver solver(model, messages);
    solver.Prepare();
    for (auto _ : state) {
        if (!solver.SolveOnce()) {
            state.SkipWithError("the nodal solution stopped");
            break;
        }
        benchmark::ClobberMemory();
    }
    state.counters["nodes"] = model.nodeCount;
    state.SetItemsProcessed(state.iterations() * segments);
}
BENCHMARK(NodalSolution)->Apply(ForEveryNetworkSize)->Unit(benchmark::kMicrosecond);

void WholeCalculation(benchmark::State& state, SizingMethod method) {
    BenchmarkWorkspace& workspace = BenchmarkWorkspace::Instance();
    const int segments = static_cast<int>(state.range(0));
    const std::string file = workspace.DataFile(segments);
    QuietInteraction person;
    SizingStatistics sizing;
    for (auto _ : state) {
        const auto result = RunHydraulicCalculation(file, person, workspace.ProgramFolder(), method);
        if (!result->completed) {
            state.SkipWithError("the calculation stopped");
            break;
        }
        sizing = result->model.sizing;
    }
    state.counters["solved_passes"] = sizing.solvedPasses;
    state.counters["foreseen_passes"] = sizing.foreseenPasses;
}
// The outputs are flushed to disk, so the wall time is the one that counts.
BENCHMARK_CAPTURE(WholeCalculation, foreseen, SizingMethod::kForeseen)
    ->Apply(ForEveryNetworkSize)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// Larger networks take from seconds to a minute step by step.
BENCHMARK_CAPTURE(WholeCalculation, step_by_step, SizingMethod::kStepByStep)
    ->ArgName("segments")
    ->Arg(50)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace heatnet
