// The data file as the windows write it and as editors and other programs leave it:
// both layouts, byte-order marks and any line ends read to the same record and the
// same outputs; values no reader would take back are not written.
#include <gtest/gtest.h>

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
        {[](ProjectData& d) { d.pipeCount = 1e300; }, tooMany},
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

}  // namespace
}  // namespace heatnet
