// The writers of a calculation's outputs, each on the model of a completed
// calculation. Every write goes through the checked replace (temporary file,
// flush to disk, rename), as in a real run, so the wall time includes waiting for
// the disk and is what the iteration count is fitted to.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>

#include "bench/benchmark_workspace.h"
#include "tools/quiet_interaction.h"
#include "data/file_io.h"
#include "data/gbk_text.h"
#include "calculation/closing_sequence.h"
#include "reports/diagram_template.h"
#include "reports/dxf_diagram.h"
#include "reports/excel_report.h"
#include "reports/sized_data_file.h"
#include "reports/text_report.h"

namespace heatnet {
namespace {

void CountWrittenBytes(benchmark::State& state, const std::string& path) {
    std::error_code error;
    const auto bytes = std::filesystem::file_size(path, error);
    if (error) return;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    state.counters["file_kB"] = static_cast<double>(bytes) / 1024;
}

void WriteReport(benchmark::State& state) {
    const int segments = static_cast<int>(state.range(0));
    const CalculationResult& calculated = BenchmarkWorkspace::Instance().Calculated(segments);
    const SegmentRowOrder order = DecideSegmentRowOrder(calculated.model);
    const std::string path = BenchmarkWorkspace::Instance().WriterOutputs(segments).report;
    for (auto _ : state) {
        const std::optional<std::string> report =
            Utf8ToGbk(FormatCalculationReport(calculated.model, calculated.table, order));
        if (!report || !WriteFileReplacing(path, *report)) {
            state.SkipWithError("the report was not written");
            break;
        }
    }
    CountWrittenBytes(state, path);
}
BENCHMARK(WriteReport)->Apply(ForEveryNetworkSize)->Unit(benchmark::kMicrosecond)->UseRealTime();

void WriteSizedData(benchmark::State& state) {
    const int segments = static_cast<int>(state.range(0));
    const CalculationResult& calculated = BenchmarkWorkspace::Instance().Calculated(segments);
    const std::string path = BenchmarkWorkspace::Instance().WriterOutputs(segments).sizedData;
    QuietInteraction person;
    for (auto _ : state) {
        if (!WriteSizedDataFile(calculated.model, calculated.table, path, person)) {
            state.SkipWithError("the sized data file was not written");
            break;
        }
    }
    CountWrittenBytes(state, path);
}
BENCHMARK(WriteSizedData)->Apply(ForEveryNetworkSize)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Networks whose segments do not all lie within the first 399 list positions
// get a diagram without entities, so the larger sizes time little more than the
// template copy.
void WriteDxfDiagram(benchmark::State& state) {
    BenchmarkWorkspace& workspace = BenchmarkWorkspace::Instance();
    const int segments = static_cast<int>(state.range(0));
    const CalculationResult& calculated = workspace.Calculated(segments);
    const std::string templatePath =
        (std::filesystem::path(workspace.ProgramFolder()) / kDiagramTemplateName).string();
    const std::string path = workspace.WriterOutputs(segments).diagram;
    QuietInteraction person;
    for (auto _ : state) {
        if (!WriteDiagram(calculated.model, templatePath, path, person)) {
            state.SkipWithError("the diagram was not written");
            break;
        }
    }
    CountWrittenBytes(state, path);
}
BENCHMARK(WriteDxfDiagram)->Apply(ForEveryNetworkSize)->Unit(benchmark::kMicrosecond)->UseRealTime();

void WriteWorkbook(benchmark::State& state) {
    const int segments = static_cast<int>(state.range(0));
    const CalculationResult& calculated = BenchmarkWorkspace::Instance().Calculated(segments);
    const SegmentRowOrder order = DecideSegmentRowOrder(calculated.model);
    const std::string path = BenchmarkWorkspace::Instance().WriterOutputs(segments).workbook;
    QuietInteraction person;
    for (auto _ : state) {
        if (!ExportExcelReport(calculated.model, calculated.table, order, path, person)) {
            state.SkipWithError("the workbook was not written");
            break;
        }
    }
    CountWrittenBytes(state, path);
}
BENCHMARK(WriteWorkbook)->Apply(ForEveryNetworkSize)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace heatnet
