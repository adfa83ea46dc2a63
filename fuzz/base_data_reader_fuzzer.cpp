// Any bytes as a basic data file and as a standard pipe table: the reader either
// refuses them with a readable message and leaves the record as it was, or reads
// a record that the writer writes and the reader reads back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "data/base_data_file.h"
#include "data/number_text.h"
#include "data/quoted_text.h"
#include "data/base_data_checks.h"
#include "hydraulics/standard_pipe_table.h"
#include "reports/format_picture.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void ExerciseNumberForms(const heatnet::Number& value) {
    const std::string box = heatnet::NumberToBoxText(value);
    // The box form reads back to the same form: 15 digits survive a double.
    Require(heatnet::NumberToBoxText(heatnet::TextToNumber(box)) == box);
    heatnet::FormatWithPicture(heatnet::ValueOf(value), "###0.0#");
    heatnet::FormatWithPicture(heatnet::ValueOf(value), "#####.0");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string content(reinterpret_cast<const char*>(bytes), size);
    static const std::string kFile = "fuzz.TXT";

    // The record is large; kept between inputs, it is not allocated anew each time.
    static const auto kStart = [] {
        auto start = std::make_unique<heatnet::ProjectData>();
        start->supplyTemperature = 130.0;
        return start;
    }();
    static auto data = std::make_unique<heatnet::ProjectData>();
    static auto again = std::make_unique<heatnet::ProjectData>();
    *data = *kStart;
    static const std::string untouched = heatnet::FormatBaseDataFile(*kStart);
    const heatnet::ErrorMessage error = heatnet::ParseBaseData(content, kFile, *data);
    if (!error.empty()) {
        Require(heatnet::IsValidUtf8(error));
        Require(heatnet::FormatBaseDataFile(*data) == untouched);
    } else {
        const std::string written = heatnet::FormatBaseDataFile(*data);
        *again = *kStart;
        Require(heatnet::ParseBaseData(written, kFile, *again).empty());
        Require(heatnet::FormatBaseDataFile(*again) == written);
        Require(heatnet::IsValidUtf8(heatnet::CheckBaseData(*data, kFile)));
        ExerciseNumberForms(data->supplyTemperature);
        ExerciseNumberForms(data->pumpInletPressure);
        if (heatnet::PipeRecordCount(*data) > 0) ExerciseNumberForms(data->pipes[1].length);
        if (heatnet::LoadRecordCount(*data) > 0) ExerciseNumberForms(data->loads[1].load);
    }

    heatnet::StandardPipeTable table;
    const std::string tableError = table.LoadFromText(content, "SLGJ.DAT", 958);
    Require(heatnet::IsValidUtf8(tableError));
    if (tableError.empty())
        for (int size = 1; size <= heatnet::StandardPipeTable::kSizes; ++size)
            Require(table.Coefficient(size) > 0 && table.Coefficient(size) < 1e30);

    Require(heatnet::IsValidUtf8(heatnet::QuotedForMessage(content)));
    return 0;
}
