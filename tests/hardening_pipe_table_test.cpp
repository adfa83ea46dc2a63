// SLGJ.DAT as an editor or another program may have left it. A refused table
// stops the calculation before anything but the empty report is written.
#include <gtest/gtest.h>

#include <filesystem>

#include "calculation/program_directory.h"
#include "calculation/run_hydraulic_calculation.h"
#include "hydraulics/standard_pipe_table.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::CrLfLines;
using testing::ReadBytes;
using testing::RecordingInteraction;
using testing::TemporaryFolder;
using testing::WriteBytes;

const std::string kSizes =
    "25,32,40,50,65,80,100,125,150,200,250,300,350,400,450,500,600,700,800,900,1000,1200";

TEST(PipeTableFaults, ByteOrderMarkReadsAsIfAbsent) {
    StandardPipeTable plain;
    StandardPipeTable marked;
    ASSERT_EQ(plain.LoadFromText(kSizes, "SLGJ.DAT", 958), "");
    ASSERT_EQ(marked.LoadFromText("\xEF\xBB\xBF" + kSizes, "SLGJ.DAT", 958), "");
    for (int size = 1; size <= StandardPipeTable::kSizes; ++size)
        EXPECT_EQ(marked.Coefficient(size), plain.Coefficient(size));
}

TEST(PipeTableFaults, DiametersTheFrictionLawCannotTakeStopTheCalculation) {
    struct Case {
        std::string table;
        std::string message;  // after "标准管径表 <path> "
    };
    const std::vector<Case> cases = {
        {".5," + kSizes.substr(3), "的第1个管径.5不可用:管径应在1到10000mm之间,无法计算。"},
        {kSizes.substr(0, kSizes.rfind(',')) + ",20000", "的第22个管径20000不可用:管径应在1到10000mm之间,无法计算。"},
        {kSizes.substr(0, kSizes.rfind(',')) + ",1e999", "的第22个管径\"1e999\"不是数字,无法计算。"},
        {"0," + kSizes.substr(3), "的管径应为由小到大排列的正数(第1个不符),无法计算。"},
        {"25,\x01\xFF,40", "的第2个管径\"??\"不是数字,无法计算。"},
    };
    for (const Case& c : cases) {
        TemporaryFolder folder;
        std::filesystem::create_directory(folder.File("program"));
        const std::string table = folder.File("program/SLGJ.DAT");
        WriteBytes(table, c.table);
        WriteBytes(folder.File("net.TXT"),
                   CrLfLines({" 130 , 70 , 200 , 50 , .4 ", "2,1", "0", "0,100,0,0,1", "1,5"}));
        RecordingInteraction person;
        const auto result =
            RunHydraulicCalculation(folder.File("net.TXT"), person, folder.File("program"));
        EXPECT_FALSE(result->completed);
        EXPECT_EQ(person.messages, std::vector<std::string>{"标准管径表 " + table + " " + c.message});
        EXPECT_EQ(ReadBytes(folder.File("net_OUT.TXT")), "");
        EXPECT_FALSE(std::filesystem::exists(folder.File("net.dxf")));
        EXPECT_FALSE(std::filesystem::exists(folder.File("net#.TXT")));
    }
}

}  // namespace
}  // namespace heatnet
