// The foreseen sizing against the step-by-step one on networks whose flows sit
// within 1e-9 of the sizing's decisions, where a forecast that vouches for a pass
// too readily decides the other way than the solution.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <map>

#include "hydraulics/nodal_flow_solver.h"
#include "hydraulics/sizing_pass.h"
#include "hydraulics/sizing_rules.h"
#include "sizing_comparison.h"

namespace heatnet {
namespace {

using namespace testing;

struct Kind {
    const char* name;
    NetworkRecipe recipe;
};
void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }

const Kind kKinds[] = {
    {"LightTree", {.seed = 100000}},
    {"HeavyTree", {.seed = 200000, .loadScale = 20}},
    {"BranchZoneFrom200", {.seed = 300000, .branchStartNode = 200}},
    {"NoZone", {.seed = 400000, .branchStartNode = 0}},
    {"GivenDiameters", {.seed = 500000, .givenDiameterShare = 0.3}},
    {"SecondarySources", {.seed = 600000, .secondarySourceShare = 0.1}},
    {"Loops", {.seed = 700000, .loopSegments = 1}},
    {"IllConditioned", {.seed = 800000, .givenDiameterShare = 0.1, .illConditioned = true}},
    {"Shuffled", {.seed = 900000, .shuffled = true}},
    {"TricklesScattered",
     {.seed = 1300000, .trickleShare = 0.15, .scatteredNumbers = true}},
};

// Solved passes of the step-by-step sizing in which a sized segment the pass
// decided on lay within 1e-6 of a limit, counted under "all" and by limit.
void CountThresholdPasses(const NetworkRecipe& recipe, std::map<std::string, int>& passes) {
    BuiltNetwork network(recipe);
    ASSERT_TRUE(network.built);
    NetworkModel& model = network.model;
    const StandardPipeTable& table = network.table;
    CalculationMessenger& messages = network.messages;
    NodalFlowSolver solver(model, messages);
    for (PassOutcome outcome = PassOutcome::kEnlarged; outcome == PassOutcome::kEnlarged;) {
        std::vector<int> sizes;
        for (const NetworkSegment& segment : model.segments) sizes.push_back(segment.sizeIndex);
        outcome = RunSolvedPass(model, table, solver);
        std::map<std::string, int> met;
        for (int s = 0; s < model.SegmentCount(); ++s) {
            const NetworkSegment& segment = model.segments[s];
            for (double limit : {ZoneLimit(segment, model.branchStartNode), kSecondLimit, kFirstLimit})
                if (segment.autoSized && std::fabs(std::fabs(segment.specificLoss) / limit - 1) < 1e-6)
                    met[std::to_string(static_cast<int>(limit)) + " Pa/m"] = met["all"] = 1;
            if (segment.sizeIndex != sizes[s]) break;  // the walk stopped here
        }
        for (const auto& [limit, count] : met) passes[limit] += count;
    }
    for (const NetworkSegment& segment : model.segments)
        for (double flow : {kSmallFlow, 1.0})
            if (std::fabs(std::fabs(segment.flow) / flow - 1) < 1e-6) ++passes[std::to_string(flow) + " t/h segments"];
}

class NearThresholdSizing : public ::testing::TestWithParam<Kind> {};

// HEATNET_CAMPAIGN_NETWORKS=N runs N networks of the kind instead of the sample.
// The forecast plans in exact arithmetic, so beside a limit it may expect the
// last pass where the solved one still enlarges (more so where the first
// solution settles and the loss is S*G/Lj): such misses cost a walk afresh, not
// a result, and are counted rather than refused.
TEST_P(NearThresholdSizing, ForeseenAndStepByStepAgree) {
    const char* campaign = std::getenv("HEATNET_CAMPAIGN_NETWORKS");
    const int networks = campaign ? std::atoi(campaign) : kSlowBuild ? 4 : 24;
    TemporaryFolder folder;
    int foreseen = 0, solved = 0, misses = 0;
    std::map<std::string, int> thresholdPasses;
    for (int index = 0; index < networks && !HasFailure(); ++index) {
        NetworkRecipe recipe = GetParam().recipe;
        recipe.segments = 20 + (index * 97) % 381;
        recipe.seed += index;
        recipe.nearThresholdShare = 0.25;
        if (recipe.loopSegments) recipe.loopSegments = 1 + index % 12;
        if (index % 3 == 1) recipe.supplyTemperature = 95, recipe.returnTemperature = 70;
        SCOPED_TRACE("heatnet-generate --near-thresholds .25 --seed " + std::to_string(recipe.seed) + " ...");
        CountThresholdPasses(recipe, thresholdPasses);
        const auto [fast, slow, missed] = ExpectSameCalculation(recipe, folder, false, true);
        foreseen += fast, solved += slow, misses += missed;
        if (missed) std::cout << "forecast missed " << missed << " with seed " << recipe.seed << "\n";
    }
    std::cout << GetParam().name << ": " << networks << " networks, " << solved << " passes step by step, "
              << foreseen << " foreseen, " << misses << " forecast misses; passes near a limit:";
    for (const auto& [limit, count] : thresholdPasses) std::cout << " " << limit << " " << count << ",";
    std::cout << "\n";
    EXPECT_GE(thresholdPasses["all"], 10 * networks);
}

INSTANTIATE_TEST_SUITE_P(Kinds, NearThresholdSizing, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace heatnet
