// A calculation the person stops while the sizing runs: it ends as after a
// refusal, with the report left empty and the outputs of an earlier run untouched.
#include <gtest/gtest.h>

#include "calculation/program_directory.h"
#include "data/base_data_file.h"
#include "test_support.h"
#include "tools/network_generator.h"

namespace heatnet::testing {
namespace {

// Asks to stop at its 300th call, as the desktop's 取消 does.
struct StoppingPerson : RecordingInteraction {
    std::vector<int> passes;
    bool KeepAlive(const CalculationProgress& progress) override {
        return passes.push_back(progress.sizingPasses), passes.size() < 300;
    }
};

TEST(CancelledCalculation, LeavesTheReportEmptyAndEarlierOutputsAsTheyWere) {
    TemporaryFolder folder;
    // Loops, so that the sizing solves the network on hundreds of passes.
    ASSERT_EQ(WriteBaseDataFile(folder.File("net.TXT"),
                                GenerateNetwork({.segments = 200, .seed = 3, .loopSegments = 20})),
              "");
    const std::vector<std::string> earlier = {"net#.TXT", "net.dxf", "net.xlsx"};
    for (const std::string& name : earlier) WriteBytes(folder.File(name), "earlier " + name);
    WriteBytes(folder.File("net_OUT.TXT"), "earlier report");
    for (SizingMethod method : {SizingMethod::kForeseen, SizingMethod::kStepByStep}) {
        StoppingPerson person;
        const auto result =
            RunHydraulicCalculation(folder.File("net.TXT"), person, ProgramDirectory(), method);
        EXPECT_FALSE(result->completed);
        EXPECT_EQ(person.messages, std::vector<std::string>{"计算已取消。"});
        EXPECT_TRUE(person.questions.empty() && person.openedFiles.empty());
        ASSERT_EQ(person.passes.size(), 300u);  // not asked again once it said stop
        EXPECT_GT(person.passes.back(), 50) << "the passes are counted as they go";
        EXPECT_EQ(ReadBytes(folder.File("net_OUT.TXT")), "");
        for (const std::string& name : earlier) EXPECT_EQ(ReadBytes(folder.File(name)), "earlier " + name);
        EXPECT_EQ(FileNames(folder.Path()),
                  (std::vector<std::string>{"net#.TXT", "net.TXT", "net.dxf", "net.xlsx", "net_OUT.TXT"}));
    }
}

}  // namespace
}  // namespace heatnet::testing
