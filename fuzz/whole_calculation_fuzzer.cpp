// Any bytes as the data file of a whole calculation, outputs written into a
// folder of its own. The calculation either completes with every output in place
// or stops with its reasons shown, an empty report and no other output; it never
// leaves a temporary file, writes no value that is not a finite number, and every
// message is readable text.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "data/base_data_file.h"
#include "data/quoted_text.h"
#include "calculation/run_hydraulic_calculation.h"
#include "hydraulics/user_interaction.h"

namespace fs = std::filesystem;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

struct SilentPerson : heatnet::UserInteraction {
    bool answerYes = false;
    std::vector<std::string> messages;
    void ShowMessage(const std::string& text, const std::string&) override {
        Require(heatnet::IsValidUtf8(text));
        messages.push_back(text);
    }
    bool AskYesNo(const std::string&, const std::string&) override { return answerYes; }
    void OpenInEditor(const std::string&) override {}
    void Trace(const std::string& line) override { Require(heatnet::IsValidUtf8(line)); }
};

// One folder for the whole run, removed at exit; each input starts from it empty.
// The path is never destroyed, so the removal at exit still finds it.
const fs::path& Folder() {
    static const fs::path* const folder = [] {
        std::string pattern = (fs::temp_directory_path() / "heatnet-fuzz-XXXXXX").string();
        Require(::mkdtemp(pattern.data()) != nullptr);
        Require(std::atexit([] { std::error_code ignored; fs::remove_all(*folder, ignored); }) == 0);
        return new fs::path(pattern);
    }();
    return *folder;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const fs::path& folder = Folder();
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) fs::remove_all(entry);
    {
        std::ofstream out(folder / "net.TXT", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    }
    // The workbook is asked for on every other input, so that it is made too.
    SilentPerson person;
    person.answerYes = size > 0 && (bytes[size - 1] & 1) != 0;
    const auto result = heatnet::RunHydraulicCalculation((folder / "net.TXT").string(), person,
                                                         HEATNET_SOURCE_DIR "/resources");

    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    for (const std::string& name : names) Require(!name.ends_with(".heatnet-tmp"));
    Require(std::find(names.begin(), names.end(), "net_OUT.TXT") != names.end());
    if (!result->completed) {
        Require(!person.messages.empty());
        Require(ReadFile(folder / "net_OUT.TXT").empty());
        Require(names.size() == 2);  // the data file and the empty report
        return 0;
    }
    // Every value a completed calculation writes is a finite number.
    for (const char* output : {"net_OUT.TXT", "net.dxf", "net#.TXT"}) {
        const std::string text = ReadFile(folder / output);
        Require(!text.empty());
        Require(text.find("nan") == std::string::npos && text.find("inf") == std::string::npos);
    }
    // The sized data file is a data file again.
    auto sized = std::make_unique<heatnet::ProjectData>();
    Require(heatnet::ReadBaseDataFile((folder / "net#.TXT").string(), *sized).empty());
    return 0;
}
