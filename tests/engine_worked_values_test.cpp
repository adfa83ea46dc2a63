// Values worked out by hand for the standard pipe table and one segment. (The zone
// limits of 90 and 300 Pa/m are fixed by the golden network zone_limit_edges.)
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "calculation/program_directory.h"
#include "data/base_data_file.h"
#include "hydraulics/network_calculation.h"
#include "hydraulics/nodal_flow_solver.h"
#include "test_support.h"

namespace heatnet {
namespace {

std::string PipeTablePath() { return ProgramDirectory() + "/SLGJ.DAT"; }

// Within `digits` significant digits of the expected value.
void ExpectSignificant(double actual, double expected, int digits) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * 0.5 * std::pow(10.0, 1 - digits)) << "actual " << actual;
}

TEST(StandardPipeTable, FrictionCoefficientsAtTheDesignDensity) {
    EXPECT_EQ(WaterDensity(100), 958);
    EXPECT_DOUBLE_EQ(WaterDensity(82.5), 969.75125);
    StandardPipeTable table, warm;
    ASSERT_EQ(table.Load(PipeTablePath(), 958), "");
    ASSERT_EQ(warm.Load(PipeTablePath(), WaterDensity(82.5)), "");
    // d = 50, 100, 200 mm are entries 4, 7 and 10: friction factor and coefficient.
    for (const auto& [size, friction, coefficient] :
         std::vector<std::tuple<int, double, double>>{{4, 0.037851, 7.9020}, {7, 0.030329, 0.19787}, {10, 0.024846, 0.0050655}}) {
        ExpectSignificant(table.FrictionFactor(size), friction, 5);
        ExpectSignificant(table.Coefficient(size), coefficient, 5);
    }
    ExpectSignificant(warm.Coefficient(7), 0.19547, 5);
    for (const auto& [diameter, size] : std::vector<std::pair<double, int>>{{0, 1}, {90, 7}, {100, 7}, {5000, 22}})
        EXPECT_EQ(table.InitialSize(diameter), size) << diameter;
}

// Node 1 drawing `load` MW from the source through 100 mm; temperatures entered the
// wrong way round are swapped.
std::unique_ptr<ProjectData> OneSegment(double length, double load) {
    auto data = std::make_unique<ProjectData>();
    EXPECT_EQ(ParseBaseData(testing::CrLfLines({" 70 , 130 , 200 , 50 , .4 ", "2,1", "", "100,0,0,1,0", "1,0"}), "t", *data), "");
    data->pipes[1].length = length;
    data->loads[1].load = load;
    return data;
}

TEST(NetworkCalculation, OneSegmentSettlesAfterTheSecondSolutionWithItsPressuresAndVelocity) {
    testing::RecordingInteraction person;
    CalculationMessenger messages(person);
    NetworkModel model;
    StandardPipeTable table;
    // Lj = L (1 + 0.4) = 100 m.
    ASSERT_TRUE(BuildNetwork(*OneSegment(100 / 1.4, 10), PipeTablePath(), model, table, messages));
    EXPECT_EQ(model.supplyTemperature, 130);
    EXPECT_EQ(model.density, 958);
    ASSERT_EQ(model.SegmentCount(), 1);
    NetworkSegment& segment = model.segments[0];
    EXPECT_DOUBLE_EQ(segment.calculationLength, 100);
    EXPECT_EQ(std::make_pair(segment.indexI, segment.indexJ), std::make_pair(2, 1));  // the source is M + 1 and the I end
    ExpectSignificant(model.nodes[1].demand, 143.31, 5);
    segment.flowFactor = segment.calculationLength * table.Coefficient(segment.sizeIndex);
    NodalFlowSolver solver(model, messages);
    solver.Prepare();
    ASSERT_TRUE(solver.SolveOnce());
    ExpectSignificant(model.nodes[1].drop, 2835.6, 5);
    solver.Prepare();
    ASSERT_TRUE(solver.SolveFlows());
    EXPECT_EQ(solver.Solutions(), 2);
    ExpectSignificant(segment.flow, 143.31, 5);

    // The whole calculation of the same segment: pressures from the settled drop.
    ASSERT_TRUE(CalculateNetwork(*OneSegment(100 / 1.4, 10), PipeTablePath(), model, table, messages));
    const double x = model.nodes[1].drop;
    ExpectSignificant(x, 406366, 6);
    EXPECT_EQ(model.nodes[1].returnPressure, x + 200000);
    EXPECT_EQ(model.nodes[1].supplyPressure, 50000 + (200000 + 2 * x) - x);
    EXPECT_NEAR(model.nodes[1].pressureDifference, 50000, 1e-9);
    EXPECT_EQ(model.nodes[2].returnPressure, 200000);
    ExpectSignificant(model.nodes[2].supplyPressure, 1062732, 7);
    ExpectSignificant(model.nodes[2].pressureDifference, 862732, 6);
    // Index 0 shows the source, with the negated total demand.
    EXPECT_EQ(model.nodes[0].supplyPressure, model.nodes[2].supplyPressure);
    EXPECT_EQ(model.nodes[0].demand, -model.totalDemand);
    // Given 100 mm: checked, not sized, whatever its friction loss.
    EXPECT_EQ(table.Diameter(model.segments[0].sizeIndex), 100);
    ExpectSignificant(model.segments[0].velocity, 5.29, 3);
    EXPECT_TRUE(person.messages.empty() && person.traces.empty());
}

}  // namespace
}  // namespace heatnet
