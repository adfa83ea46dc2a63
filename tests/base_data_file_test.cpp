#include <gtest/gtest.h>

#include <memory>

#include "data/base_data_file.h"
#include "data/load_base_data_for_entry.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::CrLfLines;
using testing::ReadBytes;
using testing::TemporaryFolder;
using testing::WriteBytes;

TEST(SplitDataFileName, CutsAtTheFirstDotOfTheFileNameOnly) {
    auto names = SplitDataFileName("/work/net.txt");
    EXPECT_EQ(names.fileName, "/work/net.txt");
    EXPECT_EQ(names.baseName, "/work/net");

    names = SplitDataFileName("/work/net");
    EXPECT_EQ(names.fileName, "/work/net.TXT");
    EXPECT_EQ(names.baseName, "/work/net");

    // A dot in a folder name does not end the base name.
    names = SplitDataFileName("/home/ann/v1.2/net.TXT");
    EXPECT_EQ(names.baseName, "/home/ann/v1.2/net");
    names = SplitDataFileName("./net.txt");
    EXPECT_EQ(names.fileName, "./net.txt");
    EXPECT_EQ(names.baseName, "./net");
    names = SplitDataFileName("/home/ann/v1.2/net");
    EXPECT_EQ(names.fileName, "/home/ann/v1.2/net.TXT");

    // First "." of the file name counts; a leading "." is not an extension.
    EXPECT_EQ(SplitDataFileName("/w/a.b.txt").baseName, "/w/a");
    EXPECT_EQ(SplitDataFileName("/w/.hidden").fileName, "/w/.hidden.TXT");
    names = SplitDataFileName("/work/");
    EXPECT_EQ(names.fileName, "/work/.TXT");
    EXPECT_EQ(names.baseName, "/work/");
}

std::unique_ptr<ProjectData> SampleProject() {
    auto data = std::make_unique<ProjectData>();
    data->supplyTemperature = 130.0;
    data->returnTemperature = 70.0;
    data->pumpInletPressure = 200.0;
    data->lastUserResistance = 50.0;
    data->localResistanceCoefficient = 0.4;
    data->nodeCount = 3.0;
    data->pipeCount = 2.0;
    data->pipes[1] = {150.0, 120.0, 0.0, 0.0, 1.0};
    data->loads[1] = {4.0, -2.5};
    // Segment 2 and load 2 were never entered.
    return data;
}

TEST(BaseDataFile, WritesTheWindowLayoutByteForByte) {
    TemporaryFolder folder;
    const std::string file = folder.File("net.TXT");
    ASSERT_EQ(WriteBaseDataFile(file, *SampleProject()), "");
    EXPECT_EQ(ReadBytes(file), CrLfLines({" 130 , 70 , 200 , 50 , .4 ", " 3 , 2 ", "",
                                          " 150 , 120 , 0 , 0 , 1 ", ",,,,", " 4 ,-2.5 ", ","}));
}

TEST(BaseDataFile, ReadsBothLayoutsToTheSameRecord) {
    TemporaryFolder folder;
    const std::string windowFile = folder.File("window.TXT");
    const std::string sizedFile = folder.File("sized.TXT");
    WriteBytes(windowFile, CrLfLines({" 130 , 70 , 200 , 50 , .4 ", " 3 , 2 ", " 100 ",
                                      " 150 , 120 , 0 , 0 , 1 ", ",,,,", " 4 ,-2.5 ", ","}));
    WriteBytes(sizedFile, CrLfLines({" 130 , 70 , 200 , 50 , .4 ", " 3 , 2 , 100 ",
                                     " 150, 120, 0, 0, 1", ",,,,", "\t4\t,-2.5 ", ","}) +
                              "anything after the last record is ignored");
    auto fromWindow = std::make_unique<ProjectData>();
    auto fromSized = std::make_unique<ProjectData>();
    ASSERT_EQ(ReadBaseDataFile(windowFile, *fromWindow), "");
    ASSERT_EQ(ReadBaseDataFile(sizedFile, *fromSized), "");
    EXPECT_EQ(FormatBaseDataFile(*fromWindow), FormatBaseDataFile(*fromSized));
    EXPECT_EQ(fromSized->branchStartNode, Number{100.0});
    EXPECT_EQ(fromSized->pipes[1].endNode, Number{1.0});
    EXPECT_EQ(fromSized->pipes[2].diameter, Number{});  // never entered: unset
    EXPECT_EQ(fromSized->loads[1].load, Number{-2.5});
    EXPECT_EQ(fromSized->loads[2].node, Number{});
}

TEST(BaseDataFile, WithoutRecordsAndWithLoneCarriageReturnsOrLineFeeds) {
    TemporaryFolder folder;
    const std::string file = folder.File("empty.TXT");
    WriteBytes(file, "130,70,200,50,.4\n1,0\n\n");
    auto data = SampleProject();
    ASSERT_EQ(ReadBaseDataFile(file, *data), "");
    EXPECT_EQ(data->nodeCount, Number{1.0});
    EXPECT_EQ(data->branchStartNode, Number{});
    EXPECT_EQ(FormatBaseDataFile(*data), CrLfLines({" 130 , 70 , 200 , 50 , .4 ", " 1 , 0 ", ""}));
}

TEST(BaseDataFile, RefusesBadFilesAndKeepsTheRecord) {
    TemporaryFolder folder;
    const std::string file = folder.File("bad.TXT");
    struct Case {
        std::string content;
        std::string expectedPart;
    };
    const std::vector<Case> cases = {
        {CrLfLines({"130,70,200,50,.4", "3,2", "0", "0,100,0,0,1"}), "缺少第2根管道的管径"},
        {CrLfLines({"130,70,200,50,.4", "3,2", "0", "0,100,0,0,1", "0,1oo,0,1,2"}),
         "第5行第2个数据\"1oo\"不是数字(第2根管道的管段长度)"},
        {CrLfLines({"130,70,200,50,.4", "3,1401", "0"}), "管道数1401不可用:管道数应为0到1400之间的整数"},
        {CrLfLines({"130,70,200,50,.4", "1402,1", "0"}), "节点数1402不可用"},
        {CrLfLines({"130,70,200,50,.4", "3,2.5", "0"}), "管道数2.5不可用"},
        {CrLfLines({"130,70,200,50,.4", "-3,2", "0"}), "节点数-3不可用"},
        {"", "缺少供水温度"},
    };
    for (const Case& c : cases) {
        WriteBytes(file, c.content);
        auto data = SampleProject();
        const std::string before = FormatBaseDataFile(*data);
        const ErrorMessage error = ReadBaseDataFile(file, *data);
        EXPECT_NE(error.find(c.expectedPart), std::string::npos) << error;
        EXPECT_NE(error.find(file), std::string::npos) << error;
        EXPECT_EQ(FormatBaseDataFile(*data), before);
    }
    auto data = SampleProject();
    EXPECT_NE(ReadBaseDataFile(folder.File("missing.TXT"), *data), "");
}

TEST(LoadBaseDataForEntry, TakesExistingValuesAndKeepsThePresentOnesOtherwise) {
    TemporaryFolder folder;
    auto data = SampleProject();
    ASSERT_EQ(LoadBaseDataForEntry(folder.File("new"), *data), "");
    EXPECT_FALSE(data->fileExisted);
    EXPECT_EQ(data->fileName, folder.File("new.TXT"));
    EXPECT_EQ(data->baseName, folder.File("new"));
    EXPECT_EQ(data->supplyTemperature, Number{130.0});

    WriteBytes(folder.File("old.txt"), CrLfLines({"95,70,300,80,.3", "1,0", ""}));
    ASSERT_EQ(LoadBaseDataForEntry(folder.File("old.txt"), *data), "");
    EXPECT_TRUE(data->fileExisted);
    EXPECT_EQ(data->supplyTemperature, Number{95.0});
    EXPECT_EQ(data->baseName, folder.File("old"));

    EXPECT_NE(LoadBaseDataForEntry(folder.File("*.txt"), *data), "");
}

}  // namespace
}  // namespace heatnet
