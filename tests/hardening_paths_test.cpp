// heatnet-calc on folders and names with blanks, Chinese characters and several
// dots: outputs named from the base name, contents the same as from a plain path.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "hardening_support.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::FileNames;
using testing::ReadBytes;
using testing::RunHeatnetCalc;
using testing::SourcePath;
using testing::TemporaryFolder;
using testing::WriteBytes;

TEST(PathsEndToEnd, BlanksChineseAndSeveralDotsNameTheOutputsFromTheBaseName) {
    const std::string example = ReadBytes(SourcePath("examples/small_tree.TXT"));
    TemporaryFolder plain;
    WriteBytes(plain.File("net.TXT"), example);
    ASSERT_EQ(RunHeatnetCalc({"--xlsx", plain.File("net.TXT")}).status, 0);

    struct Case {
        std::string folder;     // under the temporary folder
        std::string chosen;     // the name given on the command line
        std::string dataFile;   // the file that holds the data
        std::string base;       // what the outputs are named from
    };
    const std::vector<Case> cases = {
        {"my nets", "管网 方案.v2.final.TXT", "管网 方案.v2.final.TXT", "管网 方案"},
        {"项目 v1.2", "城东 热网", "城东 热网.TXT", "城东 热网"},
        {"a.b c", "net 1.txt", "net 1.txt", "net 1"},
    };
    for (const Case& c : cases) {
        TemporaryFolder root;
        const std::filesystem::path folder = root.Path() / c.folder;
        std::filesystem::create_directories(folder);
        WriteBytes((folder / c.dataFile).string(), example);
        const auto run = RunHeatnetCalc({"--xlsx", (folder / c.chosen).string()});
        EXPECT_EQ(run.status, 0) << run.errors;
        const std::string base = (folder / c.base).string();
        EXPECT_NE(run.errors.find("计算表见:" + base + ".XLSX"), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find("水压图文件名:" + base + ".dxf"), std::string::npos) << run.errors;
        std::vector<std::string> expected = {c.base + "#.TXT", c.base + ".XLSX", c.base + ".dxf",
                                             c.base + "_OUT.TXT", c.dataFile};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(FileNames(folder), expected);
        EXPECT_EQ(ReadBytes(base + "_OUT.TXT"), ReadBytes(plain.File("net_OUT.TXT")));
        EXPECT_EQ(ReadBytes(base + "#.TXT"), ReadBytes(plain.File("net#.TXT")));
        EXPECT_EQ(ReadBytes(base + ".dxf"), ReadBytes(plain.File("net.dxf")));
    }
}

TEST(PathsEndToEnd, MissingFileUnderAChineseNameIsToldWithThatName) {
    TemporaryFolder root;
    const std::string chosen = root.File("没有 这个.文件.TXT");
    const auto run = RunHeatnetCalc({chosen});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "pelu: 无法读取数据文件 " + chosen + ",请检查文件是否存在。\n");
}

}  // namespace
}  // namespace heatnet
