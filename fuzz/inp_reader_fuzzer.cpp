// Any bytes as a network model file: the reader either refuses them with one
// readable message or reads a model whose conversion gives a data file that the
// data file reader reads back to the same text, with side files for every node.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/base_data_file.h"
#include "data/inp_file.h"
#include "data/quoted_text.h"
#include "reports/inp_import.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string content(reinterpret_cast<const char*>(bytes), size);
    heatnet::InpFile file;
    const std::string error = heatnet::ReadInpText(content, file);
    Require(heatnet::IsValidUtf8(error));
    if (!error.empty()) {
        Require(file.nodes.empty() && file.pipes.empty());
        return 0;
    }
    Require(!file.pipes.empty() && static_cast<int>(file.pipes.size()) <= heatnet::kMaxInpPipes);
    heatnet::InpImportOptions options;
    options.temperatures = {130.0, 70.0};
    const heatnet::InpConversion conversion = heatnet::ConvertInp(file, options);
    Require(heatnet::IsValidUtf8(conversion.error));
    if (!conversion.error.empty()) return 0;
    Require(conversion.nodeNumbers.size() == file.nodes.size());
    const std::string written = heatnet::FormatBaseDataFile(*conversion.data);
    static heatnet::ProjectData again;
    again = heatnet::ProjectData{};
    Require(heatnet::ParseBaseData(written, "fuzz.TXT", again).empty());
    Require(heatnet::FormatBaseDataFile(again) == written);
    heatnet::FormatNodeNumberFile(conversion);
    heatnet::FormatCoordinateFile(conversion);
    return 0;
}
