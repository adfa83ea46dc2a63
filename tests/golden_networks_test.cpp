// Every network under tests/networks is calculated and its outputs compared byte
// for byte with the files under tests/networks/expected:
//   <name>_OUT.TXT   the report (empty when the calculation stopped)
//   <name>#.TXT      the sized data file   } absent when the calculation
//   <name>.dxf       the diagram           } does not write them
//   <name>.messages  everything said to the person, in order (UTF-8, one entry a
//                    line, CR and LF inside a text as \r and \n, the calculation's
//                    folder as <folder>)
// After a deliberate change of an output, rewrite the expected files with
//   HEATNET_UPDATE_GOLDEN=1 build/bin/heatnet_tests --gtest_filter='Networks/*'
// and review the difference in git before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>

#include "test_support.h"

namespace heatnet {
namespace {

namespace fs = std::filesystem;

const fs::path kNetworks = HEATNET_SOURCE_DIR "/tests/networks";
const fs::path kExpected = kNetworks / "expected";

// Keeps one ordered transcript of messages, questions, opened files and traces.
class TranscriptPerson : public testing::RecordingInteraction {
public:
    explicit TranscriptPerson(std::string folder) : folder_(std::move(folder)) {}
    std::string transcript;

    void ShowMessage(const std::string& text, const std::string& caption) override {
        Add("message " + caption + ": " + text);
        RecordingInteraction::ShowMessage(text, caption);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        Add("question " + caption + ": " + text + (answerYes ? " -> yes" : " -> no"));
        return RecordingInteraction::AskYesNo(text, caption);
    }
    void OpenInEditor(const std::string& path) override {
        Add("open " + path);
        RecordingInteraction::OpenInEditor(path);
    }
    void Trace(const std::string& line) override {
        Add("trace " + line);
        RecordingInteraction::Trace(line);
    }

private:
    // The temporary folder differs from run to run; the expected transcript
    // names it <folder>.
    void Add(const std::string& entry) {
        std::string line;
        for (size_t i = 0; i < entry.size(); ++i) {
            if (entry.compare(i, folder_.size(), folder_) == 0) {
                line += "<folder>";
                i += folder_.size() - 1;
            } else if (entry[i] == '\r') {
                line += "\\r";
            } else if (entry[i] == '\n') {
                line += "\\n";
            } else {
                line += entry[i];
            }
        }
        transcript += line + "\n";
    }
    std::string folder_;
};

std::vector<std::string> NetworkNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kNetworks))
        if (entry.path().extension() == ".TXT") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class GoldenNetwork : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenNetwork, OutputsAndMessagesMatchTheExpectedFiles) {
    const std::string name = GetParam();
    testing::TemporaryFolder folder;
    const fs::path dataFile = folder.Path() / (name + ".TXT");
    fs::copy_file(kNetworks / (name + ".TXT"), dataFile);
    TranscriptPerson person(folder.Path().string());
    testing::Calculate(dataFile.string(), person);
    testing::WriteBytes(folder.File(name + ".messages"), person.transcript);

    const bool update = std::getenv("HEATNET_UPDATE_GOLDEN") != nullptr &&
                        std::string(std::getenv("HEATNET_UPDATE_GOLDEN")) == "1";
    const fs::path kept = fs::temp_directory_path() / "heatnet-golden-actual" / name;
    std::set<std::string> compared = {name + ".TXT"};
    for (const std::string& output :
         {name + "_OUT.TXT", name + "#.TXT", name + ".dxf", name + ".messages"}) {
        compared.insert(output);
        const fs::path actual = folder.Path() / output;
        const fs::path expected = kExpected / output;
        if (update) {
            fs::create_directories(kExpected);
            if (fs::exists(actual))
                fs::copy_file(actual, expected, fs::copy_options::overwrite_existing);
            else
                fs::remove(expected);
            continue;
        }
        const bool same = fs::exists(actual) == fs::exists(expected) &&
                          testing::ReadBytes(actual.string()) == testing::ReadBytes(expected.string());
        if (same) continue;
        if (fs::exists(actual)) {
            // Kept beyond the test, for a developer to diff against the expected file.
            fs::create_directories(kept);
            fs::copy_file(actual, kept / output, fs::copy_options::overwrite_existing);
            std::cerr << "actual " << output << " kept as " << (kept / output) << "; diff it with "
                      << expected << "\n";
            if (output.ends_with(".messages")) std::cerr << person.transcript;
        }
        ADD_FAILURE() << output << (fs::exists(expected) ? "" : " (no expected file)")
                      << (fs::exists(actual) ? "" : " was not written") << " differs from "
                      << expected;
    }
    // A calculation writes nothing that the expected files do not name.
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        EXPECT_TRUE(compared.contains(entry.path().filename().string()))
            << "unexpected output " << entry.path().filename();
}

INSTANTIATE_TEST_SUITE_P(Networks, GoldenNetwork, ::testing::ValuesIn(NetworkNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace heatnet
