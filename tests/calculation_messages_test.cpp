#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "data/base_data_file.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::Calculate;
using testing::kHeader;
using testing::CrLfLines;
using testing::ReadBytes;
using testing::RecordingInteraction;
using testing::TemporaryFolder;
using testing::WriteBytes;


int Count(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

struct Run {
    RecordingInteraction person;
    std::unique_ptr<CalculationResult> result;
    std::string report;
};

std::unique_ptr<Run> CalculateLines(const TemporaryFolder& folder, const std::vector<std::string>& lines,
                                    bool answerYes = false) {
    auto run = std::make_unique<Run>();
    run->person.answerYes = answerYes;
    const std::string file = folder.File("net.TXT");
    WriteBytes(file, CrLfLines(lines));
    run->result = Calculate(file, run->person);
    run->report = ReadBytes(folder.File("net_OUT.TXT"));
    return run;
}

TEST(CalculationStops, DeadEndSegmentAfterTheFirstSolution) {
    TemporaryFolder folder;
    // Node 2 has no load and nothing beyond it: its segment carries no flow.
    auto run = CalculateLines(folder, {kHeader, "3,2", "0", "100,100,0,0,1", "100,50,0,1,2", "1,5",
                                       "2,0"});
    EXPECT_FALSE(run->result->completed);
    EXPECT_EQ(run->person.messages, std::vector<std::string>{"管段流量为0   检查第 2点或第 1点"});
    EXPECT_TRUE(std::filesystem::exists(folder.File("net_OUT.TXT")));
    EXPECT_EQ(run->report, "");  // created at the start, left empty
    EXPECT_TRUE(run->person.questions.empty());
    EXPECT_TRUE(run->person.openedFiles.empty());
}

TEST(CalculationStops, RefusedDataNamesTheProblem) {
    TemporaryFolder folder;
    struct Case {
        std::vector<std::string> lines;
        std::string expectedPart;
    };
    const std::vector<Case> cases = {
        {{kHeader, "4,2", "0", "0,100,0,0,1", "0,50,0,1,2", "1,5", "2,1", "3,1"},
         "节点数为4,但管道中出现的不同节点编号(含主热源0)共3个"},
        {{kHeader, "4,3", "0", "0,100,0,0,1", "0,50,0,1,2", "0,50,0,7,8", "1,5", "2,1", "7,1"},
         "有1根管道与主热源(节点0)不相连:第3根管道(节点7-8)"},
        {{kHeader, "2,1", "0", "0,100,0,1,1", "1,5"}, "第1根管道的起点和终点编号相同"},
        {{" 70 , 70 , 200 , 50 , .4 ", "2,1", "0", "0,100,0,0,1", "1,5"}, "供水温度与回水温度相同"},
        {{kHeader, "2,1", "0", "0,100,0,0,1"}, "缺少第1个节点的节点编号"},
    };
    for (const Case& c : cases) {
        auto run = CalculateLines(folder, c.lines);
        EXPECT_FALSE(run->result->completed);
        ASSERT_EQ(run->person.messages.size(), 1u);
        EXPECT_NE(run->person.messages[0].find(c.expectedPart), std::string::npos)
            << run->person.messages[0];
        EXPECT_EQ(run->person.captions[0], "pelu");
        EXPECT_EQ(run->report, "");
    }
}

TEST(CalculationStops, MissingDataFileOrPipeTableOrWildcardName) {
    TemporaryFolder folder;
    RecordingInteraction person;
    auto result = Calculate(folder.File("absent"), person);
    EXPECT_FALSE(result->completed);
    ASSERT_EQ(person.messages.size(), 1u);
    EXPECT_NE(person.messages[0].find(folder.File("absent.TXT")), std::string::npos);

    RecordingInteraction wildcard;
    result = Calculate(folder.File("*.txt"), wildcard);
    EXPECT_FALSE(result->completed);
    EXPECT_EQ(wildcard.messages.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder.File("*_OUT.TXT")));

    WriteBytes(folder.File("net.TXT"), CrLfLines({kHeader, "2,1", "0", "0,100,0,0,1", "1,5"}));
    RecordingInteraction noTable;
    result = RunHydraulicCalculation(folder.File("net.TXT"), noTable, folder.Path().string());
    EXPECT_FALSE(result->completed);
    ASSERT_EQ(noTable.messages.size(), 1u);
    EXPECT_NE(noTable.messages[0].find("SLGJ.DAT"), std::string::npos);
}

TEST(InformationalMessages, ShownOnceEachAndTheCalculationGoesOn) {
    TemporaryFolder folder;
    // A tiny load at the end of a long auto-sized line: its segment passes every
    // limit with a flow below 0.1 t/h on every sizing pass.
    std::vector<std::string> lines = {kHeader, "6,5", "0"};
    for (int i = 0; i < 5; ++i)
        lines.push_back("0,200,0," + std::to_string(i) + "," + std::to_string(i + 1));
    for (int i = 1; i <= 4; ++i) lines.push_back(std::to_string(i) + ",2");
    lines.push_back("5,.001");
    auto run = CalculateLines(folder, lines);
    ASSERT_TRUE(run->result->completed);
    const std::string tooSmall = "节点 5到 4管段流量太小,请检查 5  4";
    EXPECT_EQ(Count(run->person.messages, tooSmall), 1);
    EXPECT_EQ(run->person.messages.front(), tooSmall);
}

TEST(InformationalMessages, AllLoadsZeroWithoutPressureReserve) {
    TemporaryFolder folder;
    auto run = CalculateLines(folder, {" 130 , 70 , 0 , 0 , .4 ", "3,2", "0", "0,100,0,0,1",
                                       "0,50,0,1,2", "1,0", "2,0"});
    ASSERT_TRUE(run->result->completed);
    EXPECT_EQ(Count(run->person.messages, "管段流量为0,请检查节点 0或 1"), 1);
    EXPECT_EQ(Count(run->person.messages, "管段流量为0,请检查节点 2或 1"), 1);
    EXPECT_EQ(Count(run->person.messages, "节点 3到 1管段流量太小,请检查 0  1"), 1);
    // Every supply pressure is 0, not above the entered 0 kPa: one line per node.
    EXPECT_EQ(run->person.traces.size(), 3u);
    EXPECT_EQ(run->person.traces[0].rfind("P<2100", 0), 0u);
}

TEST(ClosingSequence, QuestionMessageAndEditorInOrder) {
    TemporaryFolder folder;
    auto run = CalculateLines(folder, {kHeader, "3,2", "0", "0,100,0,0,1", "0,50,0,1,2", "1,5", "2,1"});
    ASSERT_TRUE(run->result->completed);
    EXPECT_EQ(run->person.questions,
              std::vector<std::string>{"确认|是否将计算结果形成额EXCEL表"});
    ASSERT_EQ(run->person.messages.size(), 1u);
    EXPECT_EQ(run->person.messages[0], "计算表见:" + folder.File("net_OUT.TXT") +
                                           "\r\n水压图文件名:" + folder.File("net.dxf"));
    EXPECT_EQ(run->person.captions[0], "pelu");
    EXPECT_EQ(run->person.openedFiles, std::vector<std::string>{folder.File("net_OUT.TXT")});
}

TEST(ClosingSequence, LoopedNetworkListsSegmentsInListOrderWithoutTheDiagramName) {
    TemporaryFolder folder;
    auto run = CalculateLines(folder, {kHeader, "4,4", "0", "150,100,0,0,1", "100,80,0,1,2",
                                       "100,80,0,2,3", "100,120,0,1,3", "1,2", "2,3", "3,4"});
    ASSERT_TRUE(run->result->completed);
    ASSERT_EQ(run->person.messages.size(), 1u);
    EXPECT_EQ(run->person.messages[0], "计算表见:" + folder.File("net_OUT.TXT"));
}

TEST(ClosingSequence, SegmentsBeyondPosition399GiveListOrder) {
    TemporaryFolder folder;
    const int count = 420;
    std::vector<std::string> lines = {kHeader, std::to_string(count + 1) + "," + std::to_string(count), "0"};
    for (int i = 0; i < count; ++i)
        lines.push_back("300,50,0," + std::to_string(i) + "," + std::to_string(i + 1));
    for (int i = 1; i <= count; ++i) lines.push_back(std::to_string(i) + ",.1");
    auto run = CalculateLines(folder, lines);
    ASSERT_TRUE(run->result->completed);
    EXPECT_EQ(run->person.messages.back(), "计算表见:" + folder.File("net_OUT.TXT"));
    EXPECT_NE(run->report.find("\r\n 420   419    420    300"), std::string::npos);
}

}  // namespace
}  // namespace heatnet
