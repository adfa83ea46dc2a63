// Data files as they come from editors, other programs and old projects: byte-order
// marks, other line ends, UTF-16, binary bytes, Chinese comments, numbers beyond
// double precision, files of the wrong size, and counts typed into the windows.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>

#include "data/base_data_file.h"
#include "data/quoted_text.h"
#include "data/gbk_text.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::Calculate;
using testing::CrLfLines;
using testing::ReadBytes;
using testing::RecordingInteraction;
using testing::SourcePath;
using testing::TemporaryFolder;
using testing::WriteBytes;

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

std::unique_ptr<ProjectData> Sample() {
    auto data = std::make_unique<ProjectData>();
    data->supplyTemperature = 95.0;
    data->nodeCount = 1.0;
    return data;
}

TEST(DataFileEncodings, ByteOrderMarkAndOtherLineEndsGiveTheSameOutputs) {
    const std::string example = ReadBytes(SourcePath("examples/small_tree.TXT"));
    TemporaryFolder plain;
    WriteBytes(plain.File("small_tree.TXT"), example);
    RecordingInteraction plainPerson;
    ASSERT_TRUE(Calculate(plain.File("small_tree.TXT"), plainPerson)->completed);

    std::string carriageReturnsOnly = example;
    std::erase(carriageReturnsOnly, '\n');
    const std::vector<std::string> variants = {
        "\xEF\xBB\xBF" + example,
        WithoutCarriageReturns(example),
        "\xEF\xBB\xBF" + WithoutCarriageReturns(example),
        carriageReturnsOnly,
    };
    for (const std::string& variant : variants) {
        TemporaryFolder folder;
        WriteBytes(folder.File("small_tree.TXT"), variant);
        RecordingInteraction person;
        ASSERT_TRUE(Calculate(folder.File("small_tree.TXT"), person)->completed);
        EXPECT_EQ(ReadBytes(folder.File("small_tree_OUT.TXT")),
                  ReadBytes(SourcePath("tests/expected/small_tree_OUT.TXT")));
        for (const char* output : {"small_tree#.TXT", "small_tree.dxf"})
            EXPECT_EQ(ReadBytes(folder.File(output)), ReadBytes(plain.File(output))) << output;
    }
}

TEST(DataFileEncodings, RefusedFilesNameThePlaceInReadableTextAndKeepTheRecord) {
    TemporaryFolder folder;
    const std::string file = folder.File("net.TXT");
    const std::string where = "数据文件 " + file + " ";
    const std::string gbkComment = *Utf8ToGbk(" .4   供水温度");
    struct Case {
        std::string content;
        std::string message;
    };
    const std::vector<Case> cases = {
        // UTF-16 with and without its byte-order mark.
        {std::string("\xFF\xFE" "1\0" "3\0" "0\0", 8),
         where + "是UTF-16(Unicode)编码的,无法读取。请在文本编辑器中另存为ANSI(GBK)或UTF-8编码。"},
        {std::string("1\0" "3\0" "0\0", 6),
         where + "是UTF-16(Unicode)编码的,无法读取。请在文本编辑器中另存为ANSI(GBK)或UTF-8编码。"},
        // A comment after the numbers, saved in GBK as the format is: quoted in Chinese.
        {"130,70,200,50," + gbkComment + "\r\n",
         where + "第1行第5个数据\".4   供水温度\"不是数字(局部阻力折算系数),请检查。"},
        // Binary bytes and control characters are shown as "?".
        {std::string("130,70,\x01\xFF\xFE\x80,50,.4\r\n"),
         where + "第1行第3个数据\"????\"不是数字(循环水泵入口压力),请检查。"},
        // A field of a whole megabyte is quoted by its beginning only.
        {"130," + std::string(1 << 20, '7') + "x,200",
         where + "第1行第2个数据\"" + std::string(24, '7') + "…\"不是数字(回水温度),请检查。"},
        // Numbers beyond double precision read as infinities.
        {"1e999,70,200,50,.4\r\n",
         where + "第1行第1个数据\"1e999\"超出数值范围(供水温度),请检查。"},
        {"130,70,200,50,.4\r\n2,1\r\n0\r\n0,100,0,0,-1E400\r\n",
         where + "第4行第5个数据\"-1E400\"超出数值范围(第1根管道的管段终点编号),请检查。"},
        // Counts are named with their place as well.
        {"130,70,200,50,.4\r\n3,2.5\r\n0\r\n",
         where + "第2行第2个数据中的管道数2.5不可用:管道数应为0到1400之间的整数。"},
    };
    for (const Case& c : cases) {
        WriteBytes(file, c.content);
        auto data = Sample();
        const std::string before = FormatBaseDataFile(*data);
        EXPECT_EQ(ReadBaseDataFile(file, *data), c.message);
        EXPECT_TRUE(IsValidUtf8(c.message));
        EXPECT_EQ(FormatBaseDataFile(*data), before);
    }
}

TEST(DataFileEncodings, NumbersBelowDoublePrecisionReadAsZero) {
    TemporaryFolder folder;
    WriteBytes(folder.File("net.TXT"), "130,1e-999,200,50,.4\r\n1,0\r\n0\r\n");
    auto data = Sample();
    ASSERT_EQ(ReadBaseDataFile(folder.File("net.TXT"), *data), "");
    EXPECT_EQ(data->returnTemperature, Number{0.0});
}

TEST(DataFileEncodings, FilesThatAreNoDataFilesAtAll) {
    TemporaryFolder folder;
    // A file far larger than any data file is not loaded; a sparse one costs no disk.
    const std::string huge = folder.File("huge.TXT");
    WriteBytes(huge, "130,70,200,50,.4\r\n");
    std::filesystem::resize_file(huge, (64u << 20) + 1);
    auto data = Sample();
    EXPECT_EQ(ReadBaseDataFile(huge, *data),
              "数据文件 " + huge + " 超过64MB,不是基本数据文件,请检查文件名。");
    // A folder or a device with the data file's name.
    std::filesystem::create_directory(folder.File("folder.TXT"));
    EXPECT_EQ(ReadBaseDataFile(folder.File("folder.TXT"), *data),
              "无法读取数据文件 " + folder.File("folder.TXT") + ",请检查文件是否存在。");
    EXPECT_EQ(ReadBaseDataFile("/dev/zero", *data),
              "无法读取数据文件 /dev/zero,请检查文件是否存在。");
    EXPECT_EQ(data->supplyTemperature, Number{95.0});
}

TEST(DataFileEncodings, ValuesFromTheWindowsThatNoReaderTakesBackAreNotWritten) {
    TemporaryFolder folder;
    const std::string file = folder.File("net.TXT");
    // Counts far beyond the tables, as a box may hold them.
    for (double count : {1e300, std::numeric_limits<double>::infinity(), 1401.0}) {
        auto data = Sample();
        data->pipeCount = count;
        EXPECT_EQ(WriteBaseDataFile(file, *data),
                  "管道数或节点数超过1400,数据文件 " + file + " 未写入。");
        EXPECT_EQ(PipeRecordCount(*data), 1401);
    }
    auto negative = Sample();
    negative->nodeCount = -1e300;
    EXPECT_EQ(LoadRecordCount(*negative), 0);
    // "1e999" typed into a box is an infinity.
    auto data = Sample();
    data->nodeCount = 2.0;
    data->pipeCount = 1.0;
    data->pipes[1].length = std::numeric_limits<double>::infinity();
    EXPECT_EQ(WriteBaseDataFile(file, *data),
              "数据文件 " + file + " 未写入:第1根管道的管段长度超出数值范围,请检查。");
    data->pipes[1].length = 100.0;
    data->loads[1].load = -std::numeric_limits<double>::infinity();
    EXPECT_EQ(WriteBaseDataFile(file, *data),
              "数据文件 " + file + " 未写入:第1个节点的节点负荷超出数值范围,请检查。");
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace heatnet
