// The data file as the windows write it and as editors and other programs leave it:
// both layouts, byte-order marks and any line ends read to the same record and the
// same outputs; values no reader would take back are not written. Folders and names
// with blanks, Chinese characters and several dots: outputs are named from the base
// name (up to the first "." of the file name) and hold the same bytes as from a plain path.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>

#include "data/base_data_file.h"
#include "test_support.h"

namespace heatnet {
namespace {

using namespace testing;

const std::vector<std::string> kWindowLayout = {" 130 , 70 , 200 , 50 , .4 ", " 3 , 2 ", " 100 ", " 150 , 120 , 0 , 0 , 1 ",
                                                 ",,,,", " 4 ,-2.5 ", ","};  // segment 2 and load 2 never entered

std::unique_ptr<ProjectData> SampleProject() {
    auto data = std::make_unique<ProjectData>();
    EXPECT_EQ(ParseBaseData(CrLfLines(kWindowLayout), "t", *data), "");
    return data;
}

TEST(DataFileLayouts, WindowAndSizedLayoutsReadToTheSameRecord) {
    TemporaryFolder folder;
    const std::string window = folder.File("window.TXT"), sized = folder.File("sized.TXT");
    ASSERT_EQ(WriteBaseDataFile(window, *SampleProject()), "");
    EXPECT_EQ(ReadBytes(window), CrLfLines(kWindowLayout));
    WriteBytes(sized, CrLfLines({" 130 , 70 , 200 , 50 , .4 ", " 3 , 2 , 100 ", " 150, 120, 0, 0, 1", ",,,,",
                                 "\t4\t,-2.5 ", ","}) + "anything after the last record is ignored");
    const auto fromWindow = std::make_unique<ProjectData>(), fromSized = std::make_unique<ProjectData>();
    ASSERT_EQ(ReadBaseDataFile(window, *fromWindow), "");
    ASSERT_EQ(ReadBaseDataFile(sized, *fromSized), "");
    EXPECT_EQ(FormatBaseDataFile(*fromSized), FormatBaseDataFile(*fromWindow));
    EXPECT_EQ(FormatBaseDataFile(*fromWindow), ReadBytes(window));
    // No records, lone line feeds, a number below double range read as 0.
    WriteBytes(window, "130,1e-999,200,50,.4\n1,0\n\n");
    ASSERT_EQ(ReadBaseDataFile(window, *fromWindow), "");
    EXPECT_EQ(FormatBaseDataFile(*fromWindow), CrLfLines({" 130 , 0 , 200 , 50 , .4 ", " 1 , 0 ", ""}));
}

TEST(DataFileLayouts, ByteOrderMarkAndOtherLineEndsGiveTheSameOutputs) {
    const std::string example = ReadBytes(SourcePath("examples/small_tree.TXT"));
    std::string lineFeeds = example, carriageReturns = example;
    std::erase(lineFeeds, '\r');
    std::erase(carriageReturns, '\n');
    std::vector<std::string> outputs;
    for (const std::string& variant : {example, "\xEF\xBB\xBF" + example, lineFeeds,
                                       "\xEF\xBB\xBF" + lineFeeds, carriageReturns}) {
        TemporaryFolder folder;
        WriteBytes(folder.File("net.TXT"), variant);
        RecordingInteraction person;
        ASSERT_TRUE(Calculate(folder.File("net.TXT"), person)->completed);
        outputs.push_back(ReadBytes(folder.File("net_OUT.TXT")) + ReadBytes(folder.File("net#.TXT")) +
                          ReadBytes(folder.File("net.dxf")));
        EXPECT_EQ(outputs.back(), outputs.front());
    }
}

TEST(DataFileLayouts, ValuesFromTheWindowsThatNoReaderTakesBackAreNotWritten) {
    TemporaryFolder folder;
    const std::string file = folder.File("net.TXT");
    const double infinity = std::numeric_limits<double>::infinity();
    const std::string tooMany = "管道数或节点数超过1400,数据文件 " + file + " 未写入。";
    const std::vector<std::pair<std::function<void(ProjectData&)>, std::string>> rows = {
        {[&](ProjectData& d) { d.pipeCount = infinity; }, tooMany},
        {[](ProjectData& d) { d.pipeCount = 1401.0; }, tooMany},
        {[&](ProjectData& d) { d.pipes[1].length = infinity; }, "数据文件 " + file + " 未写入:第1根管道的管段长度超出数值范围,请检查。"},
        {[&](ProjectData& d) { d.loads[1].load = -infinity; }, "数据文件 " + file + " 未写入:第1个节点的节点负荷超出数值范围,请检查。"},
    };
    for (const auto& [change, message] : rows) {
        SCOPED_TRACE(message);
        auto data = SampleProject();
        change(*data);
        EXPECT_EQ(WriteBaseDataFile(file, *data), message);
        EXPECT_FALSE(std::filesystem::exists(file));
    }
}

TEST(PathsEndToEnd, BlanksChineseAndSeveralDotsNameTheOutputsFromTheBaseName) {
    const std::string example = ReadBytes(SourcePath("examples/small_tree.TXT"));
    TemporaryFolder plain;
    WriteBytes(plain.File("net.TXT"), example);
    ASSERT_EQ(RunHeatnetCalc({"--xlsx", plain.File("net.TXT")}).first, 0);
    const std::vector<std::array<std::string, 4>> rows = {  // folder, chosen, data file, base
        {"my nets", "管网 方案.v2.final.TXT", "管网 方案.v2.final.TXT", "管网 方案"},
        {"项目 v1.2", "城东 热网", "城东 热网.TXT", "城东 热网"},
        {"a.b c", "net 1.txt", "net 1.txt", "net 1"},
        {"v1.2", ".hidden", ".hidden.TXT", ".hidden"},
    };
    for (const auto& [under, chosen, dataFile, baseName] : rows) {
        SCOPED_TRACE(chosen);
        TemporaryFolder root;
        const std::filesystem::path folder = root.Path() / under;
        std::filesystem::create_directories(folder);
        WriteBytes((folder / dataFile).string(), example);
        const auto [status, errors] = RunHeatnetCalc({"--xlsx", (folder / chosen).string()});
        EXPECT_EQ(status, 0) << errors;
        const std::string base = (folder / baseName).string();
        EXPECT_NE(errors.find("计算表见:" + base + ".XLSX\n水压图文件名:" + base + ".dxf"), std::string::npos) << errors;
        std::vector<std::string> expected = {baseName + "#.TXT", baseName + ".XLSX", baseName + ".dxf",
                                             baseName + "_OUT.TXT", dataFile};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(FileNames(folder), expected);
        for (const char* output : {"_OUT.TXT", "#.TXT", ".dxf"})
            EXPECT_EQ(ReadBytes(base + output), ReadBytes(plain.File(std::string("net") + output))) << output;
    }
    // A missing file under such a name is told with that name.
    const std::string chosen = plain.File("没有 这个.文件.TXT");
    EXPECT_EQ(RunHeatnetCalc({chosen}), std::make_pair(1, "pelu: 无法读取数据文件 " + chosen + ",请检查文件是否存在。\n"));
}

}  // namespace
}  // namespace heatnet
