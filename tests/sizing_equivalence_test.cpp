// The foreseen sizing loop against the step-by-step one: every output byte, every
// message in its order and every number of the model must be the same; and the
// forecast's error bound must hold on every pass it vouches for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "calculation/program_directory.h"
#include "data/base_data_file.h"
#include "hydraulics/network_calculation.h"
#include "hydraulics/nodal_flow_solver.h"
#include "hydraulics/sizing_pass.h"
#include "hydraulics/tree_forecast.h"
#include "test_support.h"
#include "tools/network_generator.h"
#include "tools/quiet_interaction.h"

namespace heatnet {
namespace {

using namespace testing;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The mix: trees of every size up to 300 segments with and without a branch zone,
// given diameters beside sized ones, shuffled files, secondary heat sources, loops,
// and ill-conditioned networks where a 1200 mm pipe carries a trickle next to small pipes.
NetworkRecipe RecipeFor(int index) {
    NetworkRecipe recipe{.segments = 1 + (index * 37) % 300, .seed = 1000 + static_cast<std::uint32_t>(index)};
    switch (index % 8) {
    case 1: recipe.branchStartNode = 200; break;
    case 2: recipe.branchStartNode = 0; break;
    case 3: recipe.givenDiameterShare = 0.3; break;
    case 4: recipe.shuffled = true; break;
    case 5: recipe.secondarySourceShare = 0.1; break;
    case 6: recipe.loopSegments = 1 + index % 10; break;
    case 7: recipe.illConditioned = true, recipe.givenDiameterShare = 0.1; break;
    }
    if (index % 3 == 1) recipe.supplyTemperature = 95, recipe.returnTemperature = 70;
    return recipe;
}

// A network with loops and a tree with loads so heavy that many segments of their
// main lines stay too small at the largest size.
double LoadScaleFor(int index) { return index == 6 || index == 26 ? 20 : 1; }

// Everything one method says and writes, calculating net.TXT in `folder`; both
// methods run in the same folder, since the closing message names it.
std::vector<std::vector<std::string>> Transcript(const TemporaryFolder& folder, SizingMethod method,
                                                 std::unique_ptr<CalculationResult>& result) {
    RecordingInteraction person;
    result = RunHydraulicCalculation(folder.File("net.TXT"), person, ProgramDirectory(), method);
    std::vector<std::string> outputs;
    for (const char* name : {"net_OUT.TXT", "net#.TXT", "net.dxf"}) {
        outputs.push_back(ReadBytes(folder.File(name)));
        std::filesystem::remove(folder.File(name));
    }
    return {person.messages, person.questions, person.traces, outputs};
}

void ExpectSameModel(const NetworkModel& a, const NetworkModel& b) {
    ASSERT_EQ(a.segments.size(), b.segments.size());
    for (std::size_t s = 0; s < a.segments.size(); ++s) {
        EXPECT_EQ(a.segments[s].sizeIndex, b.segments[s].sizeIndex) << "segment " << s;
        for (auto field : {&NetworkSegment::flow, &NetworkSegment::pressureDifference, &NetworkSegment::specificLoss,
                           &NetworkSegment::velocity})
            EXPECT_TRUE(SameBits(a.segments[s].*field, b.segments[s].*field)) << "segment " << s;
    }
    ASSERT_EQ(a.nodes.size(), b.nodes.size());
    for (std::size_t k = 0; k < a.nodes.size(); ++k)
        for (auto field : {&NetworkNode::drop, &NetworkNode::supplyPressure, &NetworkNode::returnPressure})
            EXPECT_TRUE(SameBits(a.nodes[k].*field, b.nodes[k].*field)) << "node " << k;
}

// Returns the foreseen and the step-by-step solved passes. With loads scaled up,
// the segments held at the largest size are named in one message.
std::pair<int, int> ExpectSameCalculation(const NetworkRecipe& recipe, const TemporaryFolder& folder,
                                          double loadScale = 1) {
    ProjectData data = GenerateNetwork(recipe);
    for (NodeLoad& load : data.loads)
        if (load.load) *load.load *= loadScale;
    EXPECT_EQ(WriteBaseDataFile(folder.File("net.TXT"), data), "");
    std::unique_ptr<CalculationResult> stepByStep, foreseen;
    const auto transcript = Transcript(folder, SizingMethod::kStepByStep, stepByStep);
    EXPECT_EQ(transcript, Transcript(folder, SizingMethod::kForeseen, foreseen));
    if (loadScale != 1) {
        EXPECT_EQ(std::ranges::count_if(transcript[0], [](const std::string& message) {
                      return message.find("已取最大标准管径") != std::string::npos && message.find("、") != std::string::npos;
                  }), 1);
    }
    EXPECT_EQ(stepByStep->completed, foreseen->completed);
    const SizingStatistics &fast = foreseen->model.sizing, &slow = stepByStep->model.sizing;
    EXPECT_EQ(fast.forecastMisses, 0);
    if (stepByStep->completed) {
        ExpectSameModel(stepByStep->model, foreseen->model);
        EXPECT_EQ(fast.solvedPasses + fast.foreseenPasses, slow.solvedPasses);
    }
    return {fast.foreseenPasses, slow.solvedPasses};
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSlowBuild = true;  // the sanitizer build is many times slower
#else
constexpr bool kSlowBuild = false;
#endif

TEST(SizingEquivalence, ForeseenAndStepByStepAgreeOnGeneratedNetworks) {
    TemporaryFolder folder;
    int foreseen = 0, stepByStep = 0;
    for (int index = 0; index < (kSlowBuild ? 48 : 240) && !HasFailure(); ++index) {
        SCOPED_TRACE("network " + std::to_string(index));
        const auto [fast, slow] = ExpectSameCalculation(RecipeFor(index), folder, LoadScaleFor(index));
        foreseen += fast, stepByStep += slow;
    }
    // The fast path must actually be taken: most passes of this mix are on trees.
    EXPECT_GT(foreseen, stepByStep / 2);
}

// The network the speed targets are set for: 1400 segments, about 5,700 passes.
TEST(SizingEquivalence, LargestTreeAgrees) {
    if (kSlowBuild) GTEST_SKIP() << "too slow under the sanitizers";
    TemporaryFolder folder;
    const auto [foreseen, stepByStep] = ExpectSameCalculation({.segments = 1400, .seed = 1}, folder);
    EXPECT_GT(foreseen, stepByStep * 9 / 10);
}

// The error bound itself, not just the decisions it leads to: on every solved pass
// of the step-by-step loop, every segment's |DP| and |G| lie within its bound.
void ExpectBoundCoversEveryPass(const NetworkRecipe& recipe) {
    NetworkModel model;
    StandardPipeTable table;
    QuietInteraction person;
    CalculationMessenger messages{person};
    const auto data = std::make_unique<ProjectData>(GenerateNetwork(recipe));
    ASSERT_TRUE(BuildNetwork(*data, ProgramDirectory() + "/" + StandardPipeTable::kFileName, model, table, messages));
    std::optional<TreeForecast> forecast = TreeForecast::For(model, table);
    ASSERT_TRUE(forecast.has_value());
    NodalFlowSolver solver(model, messages);
    std::vector<int> sizes(model.SegmentCount());
    int checkedPasses = 0;
    for (PassOutcome outcome = PassOutcome::kEnlarged; outcome == PassOutcome::kEnlarged;) {
        for (int s = 0; s < model.SegmentCount(); ++s) sizes[s] = model.segments[s].sizeIndex;
        const bool bounded = forecast->BoundErrors(sizes, sizes);
        outcome = RunSolvedPass(model, table, messages, solver);
        ASSERT_NE(outcome, PassOutcome::kStopped);
        if (!bounded) continue;
        ++checkedPasses;
        for (int s = 0; s < model.SegmentCount(); ++s) {
            const NetworkSegment& segment = model.segments[s];
            const double loss = forecast->SpecificLoss(s, sizes[s]), flow = forecast->Flow(s);
            const double solvedLoss =
                std::fabs(model.nodes[segment.indexJ].drop - model.nodes[segment.indexI].drop) / segment.calculationLength;
            ASSERT_LE(std::fabs(solvedLoss - loss), forecast->LossBound(s) * loss) << "segment " << s << " pass " << checkedPasses;
            ASSERT_LE(std::fabs(std::fabs(segment.flow) - flow), forecast->FlowBound(s) * flow) << "segment " << s;
        }
    }
    EXPECT_GT(checkedPasses, 0);
}

TEST(TreeForecastBound, CoversTheSolvedLossesOfEveryPass) {
    ExpectBoundCoversEveryPass({.segments = 400, .seed = 11});
    ExpectBoundCoversEveryPass({.segments = 250, .seed = 12, .branchStartNode = 200, .givenDiameterShare = 0.4});
    ExpectBoundCoversEveryPass({.segments = 150, .seed = 13, .illConditioned = true});
    ExpectBoundCoversEveryPass({.segments = 300, .seed = 14, .branchStartNode = 0, .supplyTemperature = 95, .returnTemperature = 70});
    if (!kSlowBuild) ExpectBoundCoversEveryPass({.segments = 700, .seed = 15, .branchStartNode = 200});
}

}  // namespace
}  // namespace heatnet
