// The water-pressure diagram's geometry on a main line with two branches and a ring
// worked by hand, and heatnet-calc --diagram's refusals (readers/check_diagram_svg.py
// reads the SVG of the examples and of 1400 segments).
#include <gtest/gtest.h>

#include "reports/pressure_plot.h"
#include "test_support.h"

namespace heatnet {
namespace {

using namespace testing;

// Main line 0-1-2-3-4, branches 2-100-101 and 4-102, and 3-102 closing a ring: the
// walk reaches 102 from 4 (file order), so 3-102 is the ring. The pump inlet
// pressure puts some nodes at a supply pressure below 50 Pa.
void WriteHandNetwork(const TemporaryFolder& folder, const std::string& counts) {
    WriteBytes(folder.File("net.TXT"),
               CrLfLines({" 130 , 70 , -115 , 50 , .4 ", counts, " 0 , 100 , 0 , 0 , 1 ", " 0 , 200 , 0 , 1 , 2 ",
                          " 0 , 150 , 0 , 2 , 3 ", " 0 , 120 , 0 , 3 , 4 ", " 0 , 80 , 0 , 2 , 100 ",
                          " 0 , 60 , 0 , 100 , 101 ", " 0 , 90 , 0 , 3 , 102 ", " 0 , 70 , 0 , 102 , 4 ", " 1 , 1 ",
                          " 2 , 1 ", " 3 , 1 ", " 4 , 2 ", " 100 , 1 ", " 101 , 1 ", " 102 , 1 "}));
}

std::unique_ptr<CalculationResult> HandNetwork(const TemporaryFolder& folder, const std::string& counts) {
    WriteHandNetwork(folder, counts);
    RecordingInteraction person;
    return Calculate(folder.File("net.TXT"), person);
}

TEST(PressurePlot, HandNetworkLaysOutAlongTheWalk) {
    // Without a branch start node the main line runs to the farthest node, 102 (and
    // the sizing, hence the pressures, differ).
    for (const auto& [counts, mainLine, branches, lowNodes] :
         std::vector<std::tuple<std::string, std::vector<int>, std::vector<std::vector<int>>, std::vector<int>>>{
             {" 8 , 8 , 100 ", {0, 1, 2, 3, 4}, {{2, 6, 7}, {4, 5}}, {102, 101}},
             {" 8 , 8 , 0 ", {0, 1, 2, 3, 4, 5}, {{2, 6, 7}}, {3, 4, 102}}}) {
        TemporaryFolder folder;
        const auto result = HandNetwork(folder, counts);
        ASSERT_TRUE(result->completed) << counts;
        const PressurePlot plot = BuildPressurePlot(result->model);
        std::vector<double> numbers, distances;
        std::vector<int> parents, low;
        for (const PlotNode& node : plot.nodes) {
            numbers.push_back(ValueOf(node.nodeNumber));
            distances.push_back(node.distance);
            parents.push_back(node.parent);
            if (node.lowPressure) low.push_back(static_cast<int>(ValueOf(node.nodeNumber)));
            EXPECT_EQ(node.supply, result->model.nodes[node.index].supplyPressure / 1000);
            EXPECT_EQ(node.ret, result->model.nodes[node.index].returnPressure / 1000);
        }
        EXPECT_EQ(numbers, (std::vector<double>{0, 1, 2, 3, 4, 102, 100, 101}));
        EXPECT_EQ(distances, (std::vector<double>{0, 100, 300, 450, 570, 640, 380, 440}));
        EXPECT_EQ(parents, (std::vector<int>{-1, 0, 1, 2, 3, 4, 2, 6}));
        EXPECT_EQ(low, lowNodes);
        ASSERT_EQ(plot.lines.size(), branches.size() + 1);
        EXPECT_TRUE(plot.lines[0].mainLine);
        EXPECT_EQ(plot.lines[0].nodes, mainLine);
        for (size_t b = 0; b < branches.size(); ++b) EXPECT_EQ(plot.lines[b + 1].nodes, branches[b]);
        ASSERT_EQ(plot.rings.size(), 1u);
        EXPECT_EQ(std::tuple(plot.rings[0].from, plot.rings[0].to, plot.rings[0].segment), std::tuple(3, 5, 7));
        EXPECT_EQ(plot.farthest, 640);
        EXPECT_EQ(PathFromSource(plot, 7), (std::vector<int>{0, 1, 2, 6, 7}));
    }
}

// Axis labels: plain digits at any size, the decimals the step needs, no "-0".
TEST(PressurePlot, TickLabelsArePlainNumbers) {
    for (const auto& [value, step, text] : std::vector<std::tuple<double, double, std::string>>{
             {18000000, 2000000, "18000000"}, {5e8, 1e8, "500000000"}, {1e22, 1e21, "10000000000000000000000"},
             {3 * 0.1, 0.1, "0.3"}, {1941.6, 0.2, "1941.6"}, {0.001, 0.0005, "0.0010"}, {-250, 50, "-250"},
             {-1e-13, 0.5, "0.0"}, {-1e-13, 5, "0"}, {12, 0, "12"}}) {
        EXPECT_EQ(AxisTickText(value, step), text) << value << " " << step;
    }
}

// PNG and PDF are refused before calculating (no output appears); a diagram that
// cannot be written is a failure after the calculation's own outputs.
TEST(PressurePlot, BatchCommandWritesOnlySvgDiagrams) {
    for (const auto& [diagram, status, stderrPart, outputs] : std::vector<std::tuple<std::string, int, std::string, size_t>>{
             {"d.png", 2, "仅支持.svg格式的水压图", 1}, {"d.PDF", 2, "仅支持.svg格式的水压图", 1},
             {"missing/d.svg", 1, "无法写入", 4}, {"d.SVG", 0, "", 5}}) {
        TemporaryFolder folder;
        WriteHandNetwork(folder, " 8 , 8 , 100 ");
        const auto [exit, errors] = RunHeatnetCalc({"--diagram", folder.File(diagram), folder.File("net.TXT")});
        EXPECT_EQ(exit, status) << diagram;
        EXPECT_NE(errors.find(stderrPart), std::string::npos) << errors;
        EXPECT_EQ(FileNames(folder.Path()).size(), outputs) << diagram;
    }
}

}  // namespace
}  // namespace heatnet
