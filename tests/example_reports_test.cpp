#include <gtest/gtest.h>

#include <filesystem>

#include "data/gbk_text.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::ReadBytes;
using testing::SourcePath;

// The expected reports were checked against an independent calculation of the
// same networks (tests/reference) and by hand for the worked values.
class ExampleReport : public ::testing::TestWithParam<std::string> {};

TEST_P(ExampleReport, MatchesTheExpectedReportByteForByte) {
    testing::TemporaryFolder folder;
    const std::string name = GetParam();
    const std::string dataFile = folder.File(name + ".TXT");
    std::filesystem::copy_file(SourcePath("examples/" + name + ".TXT"), dataFile);
    testing::RecordingInteraction person;
    auto result = testing::Calculate(dataFile, person);
    ASSERT_TRUE(result->completed);
    const std::string actual = ReadBytes(folder.File(name + "_OUT.TXT"));
    const std::string expected = ReadBytes(SourcePath("tests/expected/" + name + "_OUT.TXT"));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(actual, expected) << GbkToUtf8(actual).value_or("(not GBK)");
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleReport,
                         ::testing::Values("small_tree", "secondary_source", "out_of_order"));

TEST(ReportLayout, NodeTableHeadsStandAboveTheirColumns) {
    testing::TemporaryFolder folder;
    const std::string dataFile = folder.File("net.TXT");
    std::filesystem::copy_file(SourcePath("examples/small_tree.TXT"), dataFile);
    testing::RecordingInteraction person;
    ASSERT_TRUE(testing::Calculate(dataFile, person)->completed);
    const std::string report = GbkToUtf8(ReadBytes(folder.File("net_OUT.TXT"))).value();
    const std::string heads = "节点号      热负荷       水量        供水压力      回水压力      供回水压差\r\n";
    EXPECT_EQ(report.substr(0, report.find("\r\n") + 2),
              std::string(19, ' ') + "水力计算--节点压力和负荷\r\n");
    EXPECT_NE(report.find("\r\n" + heads), std::string::npos);
    // In GBK every Chinese character is two bytes: the second head line of the
    // segment table puts its words at the byte columns of the data below them.
    const std::string gbk = ReadBytes(folder.File("net_OUT.TXT"));
    const size_t line2 = gbk.find(Utf8ToGbk("序号").value());
    ASSERT_NE(line2, std::string::npos);
    for (auto [word, column] : {std::pair{"起点", 7}, {"终点", 14}, {"管径", 21}, {"流量", 47},
                                {"比摩阻", 64}, {"供回水压差", 100}})
        EXPECT_EQ(gbk.find(Utf8ToGbk(word).value(), line2) - line2 + 1, size_t(column)) << word;
}

}  // namespace
}  // namespace heatnet
