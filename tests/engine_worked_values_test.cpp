#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "hydraulics/diameter_sizing.h"
#include "hydraulics/nodal_flow_solver.h"
#include "hydraulics/network_calculation.h"
#include "calculation/program_directory.h"
#include "test_support.h"

namespace heatnet {
namespace {

std::string PipeTablePath() { return ProgramDirectory() + "/SLGJ.DAT"; }

// Within `digits` significant digits of the expected value.
void ExpectSignificant(double actual, double expected, int digits) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * 0.5 * std::pow(10.0, 1 - digits))
        << "actual " << actual;
}

TEST(StandardPipeTable, FrictionCoefficientsAtTheDesignDensity) {
    EXPECT_EQ(WaterDensity(100), 958);
    StandardPipeTable table;
    ASSERT_EQ(table.Load(PipeTablePath(), 958), "");
    EXPECT_EQ(table.Diameter(1), 25);
    EXPECT_EQ(table.Diameter(22), 1200);
    // d = 50, 100, 200 are entries 4, 7 and 10.
    ExpectSignificant(table.FrictionFactor(4), 0.037851, 5);
    ExpectSignificant(table.Coefficient(4), 7.9020, 5);
    ExpectSignificant(table.FrictionFactor(7), 0.030329, 5);
    ExpectSignificant(table.Coefficient(7), 0.19787, 5);
    ExpectSignificant(table.Coefficient(7) * 100 * 100, 1978.7, 5);
    ExpectSignificant(table.FrictionFactor(10), 0.024846, 5);
    ExpectSignificant(table.Coefficient(10), 0.0050655, 5);

    StandardPipeTable warm;
    ASSERT_EQ(warm.Load(PipeTablePath(), WaterDensity(82.5)), "");
    EXPECT_DOUBLE_EQ(WaterDensity(82.5), 969.75125);
    ExpectSignificant(warm.Coefficient(7), 0.19547, 5);

    EXPECT_EQ(table.InitialSize(0), 1);
    EXPECT_EQ(table.InitialSize(100), 7);
    EXPECT_EQ(table.InitialSize(90), 7);
    EXPECT_EQ(table.InitialSize(5000), 22);
}

TEST(StandardPipeTable, AnyLayoutGivesTheSameCoefficients) {
    const std::string diameters[] = {"25", "32", "40", "50", "65", "80", "100", "125",
                                     "150", "200", "250", "300", "350", "400", "450", "500",
                                     "600", "700", "800", "900", "1000", "1200"};
    std::string oneLine, blanks;
    for (const std::string& d : diameters) {
        oneLine += (oneLine.empty() ? "" : ",") + d;
        blanks += "  " + d + (d == "100" ? "\r\n" : "");
    }
    StandardPipeTable lines, comma, spaced;
    ASSERT_EQ(lines.Load(PipeTablePath(), 958), "");
    ASSERT_EQ(comma.LoadFromText(oneLine + "\r\n", "t", 958), "");
    ASSERT_EQ(spaced.LoadFromText(blanks, "t", 958), "");
    for (int i = 1; i <= StandardPipeTable::kSizes; ++i) {
        EXPECT_EQ(lines.Coefficient(i), comma.Coefficient(i));
        EXPECT_EQ(lines.Coefficient(i), spaced.Coefficient(i));
    }
    StandardPipeTable bad;
    EXPECT_NE(bad.LoadFromText("25,32,40", "t", 958).find("只有3个管径"), std::string::npos);
    EXPECT_NE(bad.LoadFromText("25,x", "t", 958).find("\"x\"不是数字"), std::string::npos);
    EXPECT_EQ(bad.LoadFromText(oneLine + ",20,x", "t", 958), "");  // nothing after the 22nd is read
    EXPECT_NE(bad.LoadFromText("32,25," + oneLine, "t", 958).find("由小到大"), std::string::npos);
}

std::unique_ptr<ProjectData> OneSegment(double length, double load) {
    auto data = std::make_unique<ProjectData>();
    data->supplyTemperature = 70.0;  // entered the wrong way round: swapped
    data->returnTemperature = 130.0;
    data->pumpInletPressure = 200.0;
    data->lastUserResistance = 50.0;
    data->localResistanceCoefficient = 0.4;
    data->nodeCount = 2.0;
    data->pipeCount = 1.0;
    data->pipes[1] = {100.0, length, 0.0, 1.0, 0.0};
    data->loads[1] = {1.0, load};
    return data;
}

TEST(NodalFlowSolver, OneSegmentSettlesAfterTheSecondSolution) {
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
    EXPECT_EQ(segment.indexI, 2);  // the source is M + 1 and the I end
    EXPECT_EQ(segment.indexJ, 1);
    ExpectSignificant(model.nodes[1].demand, 143.31, 5);

    segment.flowFactor = segment.calculationLength * table.Coefficient(segment.sizeIndex);
    NodalFlowSolver solver(model, messages);
    solver.Prepare();
    ASSERT_TRUE(solver.SolveOnce());
    ExpectSignificant(model.nodes[1].drop, 2835.6, 5);
    ExpectSignificant(segment.flow, 143.31, 5);

    solver.Prepare();
    ASSERT_TRUE(solver.SolveFlows());
    EXPECT_EQ(solver.Solutions(), 2);
    ExpectSignificant(model.nodes[1].drop, 406366, 6);
    ExpectSignificant(segment.flow, 143.31, 5);
    EXPECT_TRUE(person.messages.empty());
}

TEST(NetworkCalculation, OneSegmentPressuresAndVelocity) {
    testing::RecordingInteraction person;
    CalculationMessenger messages(person);
    NetworkModel model;
    StandardPipeTable table;
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
    EXPECT_TRUE(person.traces.empty());
}

TEST(NetworkCalculation, CalculationLengthAndSegmentOrientation) {
    auto data = OneSegment(100, 1);
    data->pipes[1].equivalentLength = 5.0;
    NetworkModel model;
    TakeBaseData(*data, model);
    EXPECT_EQ(model.segments[0].calculationLength, 105);
    EXPECT_EQ(model.segments[0].nodeI, Number{1.0});  // the larger node number
    data->pipes[1] = {0.0, 100.0, 0.0, 0.0, 12.0};
    TakeBaseData(*data, model);
    EXPECT_DOUBLE_EQ(model.segments[0].calculationLength, 140);
    EXPECT_EQ(model.segments[0].nodeI, Number{12.0});
}

TEST(DiameterSizing, ZoneLimits) {
    NetworkSegment segment;
    auto limit = [&](double a, double b, Number start) {
        segment.nodeI = a;
        segment.nodeJ = b;
        return ZoneLimit(segment, start);
    };
    EXPECT_EQ(limit(15, 12, 100.0), 90);
    EXPECT_EQ(limit(100, 15, 100.0), 300);
    EXPECT_EQ(limit(101, 100, 100.0), 300);
    EXPECT_EQ(limit(100, 99, 100.0), 300);
    EXPECT_EQ(limit(101, 100, Number{}), 90);
    EXPECT_EQ(limit(101, 100, 0.0), 90);
}

}  // namespace
}  // namespace heatnet
