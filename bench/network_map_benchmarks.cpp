// The network map: Graphviz placing the nodes (the part that grows fastest with
// the network) and the SVG drawing, on generated trees and on a network with
// twelve rings, which Graphviz lays out with neato instead of dot.
#include <benchmark/benchmark.h>

#include "bench/benchmark_workspace.h"
#include "reports/network_map.h"
#include "tools/network_generator.h"

namespace heatnet {
namespace {

// range(0) tree segments, range(1) ring-closing segments on top.
ProjectData Network(const benchmark::State& state) {
    return GenerateNetwork({.segments = static_cast<int>(state.range(0)),
                            .seed = kBenchmarkSeed,
                            .loopSegments = static_cast<int>(state.range(1))});
}

void MapSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Args({400, 0})->Args({1400, 0})->Args({1388, 12});
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

void LayOutMap(benchmark::State& state) {
    const ProjectData data = Network(state);
    for (auto _ : state) benchmark::DoNotOptimize(LayOutNetwork(data, {}));
}
BENCHMARK(LayOutMap)->Apply(MapSizes);

// Trees with the results of their calculation; the ringed network with its
// topology only: its calculation takes far longer than the map is worth timing.
void DrawMapSvg(benchmark::State& state) {
    const ProjectData data = Network(state);
    const NetworkMap map = LayOutNetwork(data, {});
    const CalculationResult* results =
        state.range(1) == 0 ? &BenchmarkWorkspace::Instance().Calculated(static_cast<int>(state.range(0))) : nullptr;
    for (auto _ : state)
        benchmark::DoNotOptimize(NetworkMapSvg(map, results ? &results->model : nullptr,
                                               results ? &results->table : nullptr,
                                               MapQuantity::kLossShareOfLimit, "bench"));
}
BENCHMARK(DrawMapSvg)->Apply(MapSizes);

}  // namespace
}  // namespace heatnet
