// Folders and names with blanks, Chinese characters and several dots: outputs are
// named from the base name (up to the first "." of the file name) and hold the same
// bytes as from a plain path.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "data/base_data_file.h"
#include "test_support.h"

namespace heatnet {
namespace {

using namespace testing;

TEST(PathsEndToEnd, BaseNameEndsAtTheFirstDotOfTheFileNameOnly) {
    const std::vector<std::array<std::string, 3>> rows = {  // chosen, data file, base name
        {"/work/net.txt", "/work/net.txt", "/work/net"}, {"/work/net", "/work/net.TXT", "/work/net"},
        {"/home/ann/v1.2/net.TXT", "/home/ann/v1.2/net.TXT", "/home/ann/v1.2/net"}, {"./net.txt", "./net.txt", "./net"},
        {"/home/ann/v1.2/net", "/home/ann/v1.2/net.TXT", "/home/ann/v1.2/net"}, {"/w/a.b.txt", "/w/a.b.txt", "/w/a"},
        {"/w/.hidden", "/w/.hidden.TXT", "/w/.hidden"}, {"/work/", "/work/.TXT", "/work/"}};
    for (const auto& [chosen, fileName, baseName] : rows) {
        const auto names = SplitDataFileName(chosen);
        EXPECT_EQ(std::make_pair(names.fileName, names.baseName), std::make_pair(fileName, baseName)) << chosen;
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
