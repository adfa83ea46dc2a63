// The table editor's network as typed texts: every golden network read into cell
// texts and written back gives the writer's bytes, each check names the expected
// cell with the calculation's or the entry windows' words, and pasted blocks split
// into the cells a spreadsheet meant.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "data/base_data_file.h"
#include "data/network_table_checks.h"
#include "data/pasted_cells.h"
#include "test_support.h"

namespace heatnet {

// Failures show the cell and the message, not the bytes.
void PrintTo(const TableProblem& p, std::ostream* out) {
    *out << static_cast<int>(p.grid) << "/" << p.row << "/" << p.column << " " << p.message << " " << p.refusedByCalculation;
}

namespace {

using namespace testing;
using Grid = TableRefusal::Grid;

TEST(NetworkTable, GoldenNetworksGoThroughTheTableToTheSameBytes) {
    TemporaryFolder folder;
    int roundTrips = 0;
    for (const char* under : {"tests/networks", "examples"})
        for (const auto& entry : std::filesystem::directory_iterator(SourcePath(under))) {
            if (entry.path().extension() != ".TXT") continue;
            SCOPED_TRACE(entry.path().string());
            auto read = std::make_unique<ProjectData>();
            if (!ReadBaseDataFile(entry.path().string(), *read).empty()) continue;
            TableRefusal refusal;
            const std::optional<ProjectData> fromTable = ProjectDataFromTable(TableFromProjectData(*read), &refusal);
            ASSERT_TRUE(fromTable) << refusal.message;
            ASSERT_EQ(WriteBaseDataFile(folder.File("net.TXT"), *fromTable), "");
            // Files in the window's layout come back byte for byte; others as the writer writes their record.
            EXPECT_EQ(ReadBytes(folder.File("net.TXT")), FormatBaseDataFile(*read));
            roundTrips += ReadBytes(entry.path().string()) == ReadBytes(folder.File("net.TXT"));
        }
    EXPECT_GE(roundTrips, 24);
}

NetworkTable SmallNetwork() {  // 0-1-2 and 1-3, loads on 1, 2 and 3
    return {{"130", "70", "200", "50", ".4", ""},
            {{"0", "1", "0", "100", ""}, {"1", "2", "100", "50.5", "0"}, {"1", "3", "", "40", "12"}},
            {{"1", ".5"}, {"2", "-1.25"}, {"3", "1E-05"}}};
}

TEST(NetworkTable, EachCheckNamesTheCellWithTheWordsThePersonSeesElsewhere) {
    EXPECT_EQ(CheckNetworkTable(SmallNetwork()), std::vector<TableProblem>{});
    using Change = std::function<void(NetworkTable&)>;
    const std::vector<std::pair<Change, std::vector<TableProblem>>> rows = {
        {[](NetworkTable& t) { t.segments[1][0] = "1,5"; },
         {{Grid::kSegments, 1, 0, "第2根管道的管段起点编号\"1,5\"不是数字,请改正。", true}}},
        {[](NetworkTable& t) { t.basic[0] = "400"; },
         {{Grid::kBasic, 0, 0, "供水温度400不可用:供水温度应在0到350°C之间。", true}}},
        {[](NetworkTable& t) { t.basic[1] = "130.0"; },
         {{Grid::kBasic, 0, 1, "供水温度与回水温度相同,无法由热负荷求得流量,请检查供回水温度。", true}}},
        {[](NetworkTable& t) { t.loads[2][1] = "-1e999"; },
         {{Grid::kLoads, 2, 1, "第3个节点的节点负荷-inf不可用:节点负荷应为有限的数值。", true}}},
        {[](NetworkTable& t) { t.segments[2][3] = "-4"; },
         {{Grid::kSegments, 2, 3, "第3根管道的管段长度-4不可用:管段长度应为0,或0.001到100000m之间的数。", true}}},
        {[](NetworkTable& t) { t.segments.push_back({"3", "3", "", "1", ""}); },
         {{Grid::kSegments, 3, 0, "第4根管道的起点和终点编号相同(3),请检查。", true}}},
        {[](NetworkTable& t) { t.segments.push_back({"2", "1", "", "1", ""}); },
         {{Grid::kSegments, 3, 0, "第4根管道与第2根管道连接相同的两个节点(1-2),请检查。", false}}},
        {[](NetworkTable& t) { t.segments[2][1] = "4"; },
         {{Grid::kSegments, 2, 1, " 4节点负荷没有输入", false},
          {Grid::kLoads, 2, 0, " 3节点负荷不应输入或着管段节点数据输入有误", false}}},
        {[](NetworkTable& t) { t.segments.push_back({"7", "8", "", "1", ""}), t.loads.push_back({"7", "1"}),
                               t.loads.push_back({"8", "1"}); },
         {{Grid::kSegments, 3, 0, "有1根管道与主热源(节点0)不相连:第4根管道(节点7-8),请检查管段起点和终点编号。", true}}},
        {[](NetworkTable& t) { t.loads.push_back({"3", "1"}); },
         {{Grid::kLoads, 3, 0, "节点数为5,但管道中出现的不同节点编号(含主热源0)共4个,请检查节点数和管段编号。", true}}},
        {[](NetworkTable& t) {
             for (int n = 4; n <= 1401; ++n)
                 t.segments.push_back({std::to_string(n - 1), std::to_string(n), "", "1", ""}),
                     t.loads.push_back({std::to_string(n), "1"});
         },
         {{Grid::kSegments, 1400, 0, "管道数1401不可用:管道数应为0到1400之间的整数。", true},
          {Grid::kLoads, 1400, 0, "节点数1402不可用:节点数应为0到1401之间的整数。", true}}},
    };
    for (const auto& [change, expected] : rows) {
        SCOPED_TRACE(expected.front().message);
        NetworkTable table = SmallNetwork();
        change(table);
        EXPECT_EQ(CheckNetworkTable(table), expected);
    }
}

TEST(NetworkTable, TheFirstTextThatIsNotANumberStopsTheRecordAndEmptyStaysUnset) {
    NetworkTable table = SmallNetwork();
    std::optional<ProjectData> data = ProjectDataFromTable(table);
    ASSERT_TRUE(data);
    EXPECT_EQ(FormatBaseDataFile(*data), CrLfLines({" 130 , 70 , 200 , 50 , .4 ", " 4 , 3 ", "", " 0 , 100 ,, 0 , 1 ",
                                                    " 100 , 50.5 , 0 , 1 , 2 ", ", 40 , 12 , 1 , 3 ", " 1 , .5 ",
                                                    " 2 ,-1.25 ", " 3 , 1E-05 "}));
    table.loads[0][1] = "x";
    table.segments[2][4] = "1 2";
    TableRefusal refusal;
    EXPECT_FALSE(ProjectDataFromTable(table, &refusal));
    EXPECT_EQ(std::tie(refusal.grid, refusal.row, refusal.column, refusal.message),
              std::make_tuple(Grid::kSegments, 2, 4, "第3根管道的局部阻力折算长度\"1 2\"不是数字,请改正。"));
}

TEST(PastedCells, BlocksSplitIntoTheCellsTheSpreadsheetMeant) {
    const std::vector<std::pair<std::string, CellRows>> rows = {
        {"起点编号\t终点编号\r\n0\t1\r\n1\t 2 \r\n", {{"起点编号", "终点编号"}, {"0", "1"}, {"1", "2"}}},
        {"1;2,5\n3;4", {{"1", "2,5"}, {"3", "4"}}},
        {"\xEF\xBB\xBF" "1,\"a,b\",\"say \"\"x\"\"\"\r4,\"1;2\",\"two\nlines\"\r\n\r\n",
         {{"1", "a,b", "say \"x\""}, {"4", "1;2", "two\nlines"}, {""}}},
        {"\t\n", {{"", ""}}},
        {"", {}},
    };
    for (const auto& [text, cells] : rows) EXPECT_EQ(SplitPastedText(text), cells) << text;
    EXPECT_TRUE(IsHeaderRow({"1", "Node"}));
    EXPECT_FALSE(IsHeaderRow({"", " 3 ", "-1.5e3"}));
}

TEST(PastedCells, CsvAndTabSeparatedTextSplitBackToTheSameCells) {
    const CellRows cells = {{"序号", "节点编号", "负荷 MW"}, {"1", " 3", "a,b"}, {"2", "say \"x\"", "1;2"}, {"", "", "x\ty"}};
    EXPECT_EQ(SplitPastedText(CsvText(cells)), cells);
    EXPECT_EQ(SplitPastedText(TabSeparatedText(cells)), (CellRows{cells[0], {"1", "3", "a,b"}, cells[2], cells[3]}));
    EXPECT_EQ(CsvText({{"1", "a,b"}, {"", "2"}}), "1,\"a,b\"\r\n,2\r\n");
    EXPECT_EQ(TabSeparatedText({{"1", "a,b"}, {"", "2"}}), "1\ta,b\n\t2\n");
}

}  // namespace
}  // namespace heatnet
