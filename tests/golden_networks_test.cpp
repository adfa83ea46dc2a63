// Every network under tests/networks is calculated and its outputs compared byte
// for byte with the files under tests/networks/expected:
//   <name>_OUT.TXT   the report (empty when the calculation stopped)
//   <name>#.TXT      the sized data file   } absent when the calculation
//   <name>.dxf       the diagram           } does not write them
//   <name>.messages  everything said to the person, in order (UTF-8, one entry a
//                    line, CR and LF inside a text as \r and \n, the calculation's
//                    folder as <folder>)
// Networks beside a decision: enlargement_limits (each sizing limit), flow_just_below/
// above_settle_test (the flow iteration's settle test, largest flow 1 t/h +- 0.02 %).
// After a deliberate change of an output, rewrite the expected files with
//   HEATNET_UPDATE_GOLDEN=1 build/bin/heatnet_tests --gtest_filter='Networks/*'
// and review the difference in git before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "test_support.h"

namespace heatnet {
namespace {

namespace fs = std::filesystem;

const fs::path kNetworks = HEATNET_SOURCE_DIR "/tests/networks";
const fs::path kExpected = kNetworks / "expected";

// Keeps one ordered transcript of messages, questions (answered no), opened files and
// traces; notes at each question and editor call whether `diagram` and `sized` exist yet.
class TranscriptPerson : public UserInteraction {
public:
    TranscriptPerson(const fs::path& folder, const std::string& name)
        : folder(folder.string()), diagram((folder / (name + ".dxf")).string()), sized((folder / (name + "#.TXT")).string()) {}
    std::string folder, diagram, sized, transcript, steps;

    void ShowMessage(const std::string& text, const std::string& caption) override { Add("message " + caption + ": " + text); }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        Add("question " + caption + ": " + text + " -> no");
        steps += {'Q', fs::exists(diagram) ? 'd' : '-', fs::exists(sized) ? 's' : '-'};
        return false;
    }
    void OpenInEditor(const std::string& path) override {
        Add("open " + path);
        steps += {'E', fs::exists(diagram) ? 'd' : '-', fs::exists(sized) ? 's' : '-'};
    }
    void Trace(const std::string& line) override { Add("trace " + line); }

    // The temporary folder, which differs from run to run, as <folder>.
    void Add(std::string entry) {
        for (size_t at; (at = entry.find(folder)) != std::string::npos;) entry.replace(at, folder.size(), "<folder>");
        for (const char c : entry) transcript += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
        transcript += "\n";
    }
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
    fs::copy_file(kNetworks / (name + ".TXT"), folder.Path() / (name + ".TXT"));
    TranscriptPerson person(folder.Path(), name);
    testing::Calculate(folder.File(name + ".TXT"), person);
    testing::WriteBytes(folder.File(name + ".messages"), person.transcript);
    const char* update = std::getenv("HEATNET_UPDATE_GOLDEN");
    const fs::path kept = fs::temp_directory_path() / "heatnet-golden-actual";
    std::set<std::string> compared = {name + ".TXT"};
    for (const std::string& output : {name + "_OUT.TXT", name + "#.TXT", name + ".dxf", name + ".messages"}) {
        compared.insert(output);
        const fs::path actual = folder.Path() / output, expected = kExpected / output;
        if (update != nullptr && std::string(update) == "1") {
            if (fs::exists(actual)) fs::copy_file(actual, expected, fs::copy_options::overwrite_existing);
            else fs::remove(expected);
        } else if (fs::exists(actual) != fs::exists(expected) ||
                   testing::ReadBytes(actual.string()) != testing::ReadBytes(expected.string())) {
            // Kept beyond the test, for a developer to diff against the expected file.
            fs::create_directories(kept);
            if (fs::exists(actual)) fs::copy_file(actual, kept / output, fs::copy_options::overwrite_existing);
            ADD_FAILURE() << output << " differs from " << expected << "; the actual one, if written, is in " << kept;
        }
    }
    // A calculation writes nothing that the expected files do not name.
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        EXPECT_TRUE(compared.contains(entry.path().filename().string())) << "unexpected output " << entry.path().filename();
    // The sized file is written last, after the question and the report's opening.
    EXPECT_EQ(person.steps, fs::exists(person.sized) ? "Qd-Ed-" : "");
    // It is a data file again; nothing is left to select in it, so once its records are in
    // calculation order (a shuffled file's after one more calculation) it reproduces itself.
    if (fs::exists(person.sized)) {
        testing::RecordingInteraction quiet;
        ASSERT_TRUE(testing::Calculate(folder.File(name + "#.TXT"), quiet)->completed);
        ASSERT_TRUE(testing::Calculate(folder.File(name + "##.TXT"), quiet)->completed);
        EXPECT_EQ(testing::ReadBytes(folder.File(name + "###.TXT")), testing::ReadBytes(folder.File(name + "##.TXT")));
    }
}

INSTANTIATE_TEST_SUITE_P(Networks, GoldenNetwork, ::testing::ValuesIn(NetworkNames()),
                         [](const auto& info) { return info.param; });

// Steps and limits that end at the same sizes still change how many passes the sizing
// takes: heatnet-calc --statistics shows it. enlargement_limits holds a segment just
// above and just below each limit; whether a pass was solved or foreseen is the
// forecast's business, the total is the sizing rules'.
TEST(GoldenNetworkPasses, StatisticsCountEveryEnlargement) {
    const std::vector<std::pair<std::string, int>> rows = {
        {"enlargement_limits", 13}, {"zone_limit_edges", 18}, {"tree_branches_100", 155}, {"loop", 21}};
    for (const auto& [name, passes] : rows) {
        testing::TemporaryFolder folder;
        fs::copy_file(kNetworks / (name + ".TXT"), folder.Path() / (name + ".TXT"));
        const auto [status, said] = testing::RunHeatnetCalc({"--statistics", folder.File(name + ".TXT")});
        EXPECT_EQ(status, 0) << said;
        EXPECT_NE(said.find("heatnet-calc: 管径选择共" + std::to_string(passes) + "遍,"), std::string::npos) << name << ": " << said;
    }
}

}  // namespace
}  // namespace heatnet
