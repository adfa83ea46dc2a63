// Messages the sizing walk could give once per segment come as one box per kind,
// through the whole desktop program with real boxes clicked away.
#include <memory>

#include "data/base_data_file.h"
#include "gui_test_support.h"

namespace heatnet {
namespace {

using namespace testing;

class GatheredMessages : public Program {};

// A star of 81 users of 1 kW each: every segment's flow is under 0.1 t/h.
TEST_F(GatheredMessages, EverySmallFlowOfACalculationIsNamedInOneBox) {
    auto data = std::make_unique<ProjectData>();
    constexpr int kUsers = 81;
    data->supplyTemperature = 130, data->returnTemperature = 70, data->pumpInletPressure = 200;
    data->lastUserResistance = 50, data->localResistanceCoefficient = 0.4;
    data->nodeCount = kUsers + 1, data->pipeCount = kUsers;
    std::string indices, nodes;
    for (int k = 1; k <= kUsers; ++k) {
        data->pipes[k] = {.diameter = 0, .length = 50, .equivalentLength = 0, .startNode = 0, .endNode = k};
        data->loads[k] = {.node = k, .load = 0.001};
        const std::string separator = k == 1 ? "" : "、";
        // The source is numbered M + 1 inside the calculation, node k is k.
        indices += separator + " " + std::to_string(kUsers + 1) + "到 " + std::to_string(k);
        nodes += separator + " 0  " + std::to_string(k);
    }
    ASSERT_EQ(WriteBaseDataFile(File("star.TXT"), *data), "");
    dialogs.realBoxes = true;
    dialogs.yesNo = {false};
    Choose("Command1", "star.TXT");
    const Lines expected = {"pelu|节点" + indices + "管段流量太小,请检查" + nodes,
                            "确认|是否将计算结果形成额EXCEL表"};
    ASSERT_GE(dialogs.shown.size(), 2u);
    EXPECT_EQ(Lines(dialogs.shown.begin(), dialogs.shown.begin() + 2), expected);
    EXPECT_EQ(dialogs.boxesClickedAway, 2);  // the gathered message and "计算表见:"
}

}  // namespace
}  // namespace heatnet
