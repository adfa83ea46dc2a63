// Values no calculation can use are refused before anything is derived from them,
// with the file, the place and the field named; values at the very edge of what
// is accepted still calculate.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "hardening_support.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::Calculate;
using testing::kHeader;
using testing::CrLfLines;
using testing::FileNames;
using testing::ReadBytes;
using testing::RecordingInteraction;
using testing::TemporaryFolder;
using testing::WriteBytes;


struct Refusal {
    std::vector<std::string> lines;
    std::string message;  // after "数据文件 <file> "
};

void ExpectRefused(const Refusal& refusal) {
    TemporaryFolder folder;
    const std::string file = folder.File("net.TXT");
    WriteBytes(file, CrLfLines(refusal.lines));
    RecordingInteraction person;
    const auto result = Calculate(file, person);
    EXPECT_FALSE(result->completed);
    EXPECT_EQ(person.messages, std::vector<std::string>{"数据文件 " + file + " " + refusal.message});
    // Nothing but the empty report that every calculation starts with.
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"net.TXT", "net_OUT.TXT"}));
    EXPECT_EQ(ReadBytes(folder.File("net_OUT.TXT")), "");
    EXPECT_TRUE(person.questions.empty());
}

TEST(UnusableValues, DesignValuesAreRefusedWithTheirPlace) {
    const std::vector<std::string> network = {"2,1", "0", "0,100,0,0,1", "1,5"};
    auto with = [&](const std::string& header) {
        std::vector<std::string> lines = {header};
        lines.insert(lines.end(), network.begin(), network.end());
        return lines;
    };
    const std::vector<Refusal> refusals = {
        {with(" 400 , 70 , 200 , 50 , .4 "),
         "第1行第1个数据中的供水温度400不可用:供水温度应在0到350°C之间。"},
        {with(" 130 , -10 , 200 , 50 , .4 "),
         "第1行第2个数据中的回水温度-10不可用:回水温度应在0到350°C之间。"},
        {with(" 130 , 70 , 1e308 , 50 , .4 "),
         "第1行第3个数据中的循环水泵入口压力1E+308不可用:循环水泵入口压力应在-100000到100000kPa之间。"},
        {with(" 130 , 70 , 200 , -2E5 , .4 "),
         "第1行第4个数据中的最末端用户阻力-200000不可用:最末端用户阻力应在-100000到100000kPa之间。"},
        {with(" 130 , 70 , 200 , 50 , -.4 "),
         "第1行第5个数据中的局部阻力折算系数-.4不可用:局部阻力折算系数应在0到100之间。"},
        {with(" 130 , 70 , 200 , 50 , 1e300 "),
         "第1行第5个数据中的局部阻力折算系数1E+300不可用:局部阻力折算系数应在0到100之间。"},
        {with("1e999,70,200,50,.4"), "第1行第1个数据\"1e999\"超出数值范围(供水温度),请检查。"},
    };
    for (const Refusal& refusal : refusals) ExpectRefused(refusal);
}

TEST(UnusableValues, SegmentAndLoadValuesAreRefusedWithTheirRecord) {
    auto network = [](const std::string& segment, const std::string& load) {
        return std::vector<std::string>{kHeader, "2,1", "0", segment, load};
    };
    const std::vector<Refusal> refusals = {
        {network("0,-120,0,0,1", "1,5"),
         "第4行第2个数据中的第1根管道的管段长度-120不可用:管段长度应为0,或0.001到100000m之间的数。"},
        {network("0,1e-300,0,0,1", "1,5"),
         "第4行第2个数据中的第1根管道的管段长度1E-300不可用:管段长度应为0,或0.001到100000m之间的数。"},
        {network("0,1e308,0,0,1", "1,5"),
         "第4行第2个数据中的第1根管道的管段长度1E+308不可用:管段长度应为0,或0.001到100000m之间的数。"},
        {network("0,100,-5,0,1", "1,5"),
         "第4行第3个数据中的第1根管道的局部阻力折算长度-5不可用:局部阻力折算长度应为0,或0.001到100000m之间的数。"},
        {network("0,100,0,-1,0", "-1,5"),
         "第4行第4个数据中的第1根管道的管段起点编号-1不可用:管段起点编号应为0到999999999999999之间的整数。"},
        {network("0,100,0,0,1.5", "1.5,5"),
         "第4行第5个数据中的第1根管道的管段终点编号1.5不可用:管段终点编号应为0到999999999999999之间的整数。"},
        {network("0,100,0,0,1e15", "1e15,5"),
         "第4行第5个数据中的第1根管道的管段终点编号1E+15不可用:管段终点编号应为0到999999999999999之间的整数。"},
        {network("0,100,0,0,1", "2.5,5"),
         "第5行第1个数据中的第1个节点的节点编号2.5不可用:节点编号应为0到999999999999999之间的整数。"},
        {network("0,100,0,0,1", "1,1e6"),
         "第5行第2个数据中的第1个节点的节点负荷1000000不可用:节点负荷应为0,或绝对值在0.000001到100000MW之间。"},
        {network("0,100,0,0,1", "1,-1e-300"),
         "第5行第2个数据中的第1个节点的节点负荷-1E-300不可用:节点负荷应为0,或绝对值在0.000001到100000MW之间。"},
        // The record number counts records, the line number lines: both are named.
        {{kHeader, "3,2", "0", "0,100,0,0,1", "0,50,0,1", "2", "1,5", "2,1e7"},
         "第8行第2个数据中的第2个节点的节点负荷10000000不可用:节点负荷应为0,或绝对值在0.000001到100000MW之间。"},
    };
    for (const Refusal& refusal : refusals) ExpectRefused(refusal);
}

TEST(UnusableValues, ValuesAtTheEdgeOfWhatIsAcceptedStillCalculate) {
    struct Edge {
        std::vector<std::string> lines;
        std::string messagePart;
    };
    const std::vector<Edge> edges = {
        // The largest values: 100000 MW is too much for any standard size, so the
        // segment is calculated at the largest one and the person is told.
        {{" 350 , 0 , 100000 , -100000 , 100 ", "2,1", "1e300", "0,100000,0,0,999999999999999",
          "999999999999999,100000"},
         "已取最大标准管径1200mm"},
        // The smallest: a millimetre of pipe carrying a watt.
        {{kHeader, "2,1", "-1e300", "-1e300,.001,.001,0,1", "1,.000001"}, "管段流量太小"},
    };
    for (const Edge& edge : edges) {
        TemporaryFolder folder;
        const std::string file = folder.File("net.TXT");
        WriteBytes(file, CrLfLines(edge.lines));
        RecordingInteraction person;
        ASSERT_TRUE(Calculate(file, person)->completed);
        EXPECT_TRUE(std::any_of(person.messages.begin(), person.messages.end(),
                                [&](const std::string& m) { return m.find(edge.messagePart) != std::string::npos; }));
        EXPECT_NE(ReadBytes(folder.File("net_OUT.TXT")), "");
        EXPECT_EQ(FileNames(folder.Path()),
                  (std::vector<std::string>{"net#.TXT", "net.TXT", "net.dxf", "net_OUT.TXT"}));
    }
}

TEST(UnusableValues, NegativeOrHugeDiametersAreSizedOrCheckedAsTheRulesSay) {
    // Below 25 mm means "to be sized", whatever the sign; above the largest
    // standard size means the largest.
    auto report = [](const std::string& firstDiameter, const std::string& secondDiameter) {
        TemporaryFolder folder;
        WriteBytes(folder.File("net.TXT"),
                   CrLfLines({kHeader, "3,2", "0", firstDiameter + ",100,0,0,1",
                              secondDiameter + ",50,0,1,2", "1,5", "2,1"}));
        RecordingInteraction person;
        EXPECT_TRUE(Calculate(folder.File("net.TXT"), person)->completed);
        return ReadBytes(folder.File("net_OUT.TXT"));
    };
    EXPECT_EQ(report("-100", "1e300"), report("0", "1200"));
}

}  // namespace
}  // namespace heatnet
