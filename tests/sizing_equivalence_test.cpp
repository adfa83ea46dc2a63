// The foreseen sizing loop against the step-by-step one: every output byte, every
// message in its order and every number of the model must be the same.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "tools/network_generator.h"
#include "tools/quiet_interaction.h"
#include "data/base_data_file.h"
#include "hydraulics/network_calculation.h"
#include "hydraulics/nodal_flow_solver.h"
#include "calculation/program_directory.h"
#include "hydraulics/sizing_pass.h"
#include "hydraulics/tree_forecast.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::ReadBytes;
using testing::RecordingInteraction;
using testing::TemporaryFolder;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The mix the equivalence is checked on: trees of every size up to 300
// segments with and without a branch zone, given diameters beside sized ones,
// shuffled files, secondary heat sources, loops, and ill-conditioned networks
// where a 1200 mm pipe carries a trickle next to small pipes.
NetworkRecipe RecipeFor(int index) {
    NetworkRecipe recipe;
    recipe.seed = 1000 + static_cast<std::uint32_t>(index);
    recipe.segments = 1 + (index * 37) % 300;
    switch (index % 8) {
    case 0: break;
    case 1: recipe.branchStartNode = 200; break;
    case 2: recipe.branchStartNode = 0; break;
    case 3: recipe.givenDiameterShare = 0.3; break;
    case 4: recipe.shuffled = true; break;
    case 5: recipe.secondarySourceShare = 0.1; break;
    case 6: recipe.loopSegments = 1 + index % 10; break;
    case 7: recipe.illConditioned = true; recipe.givenDiameterShare = 0.1; break;
    }
    if (index % 3 == 1) {
        recipe.supplyTemperature = 95;
        recipe.returnTemperature = 70;
    }
    return recipe;
}

struct Outcome {
    std::unique_ptr<CalculationResult> result;
    RecordingInteraction person;
    std::string report, sized, diagram;
};

// Both methods run in the same folder, since the closing message names it.
void Calculate(const ProjectData& data, const std::filesystem::path& folder, SizingMethod method,
               Outcome& outcome) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "net.TXT").string();
    ASSERT_EQ(WriteBaseDataFile(file, data), "");
    outcome.result = RunHydraulicCalculation(file, outcome.person, ProgramDirectory(), method);
    outcome.report = ReadBytes((folder / "net_OUT.TXT").string());
    if (std::filesystem::exists(folder / "net#.TXT")) outcome.sized = ReadBytes((folder / "net#.TXT").string());
    if (std::filesystem::exists(folder / "net.dxf")) outcome.diagram = ReadBytes((folder / "net.dxf").string());
}

void ExpectSameModel(const NetworkModel& a, const NetworkModel& b) {
    ASSERT_EQ(a.segments.size(), b.segments.size());
    for (std::size_t s = 0; s < a.segments.size(); ++s) {
        const NetworkSegment& x = a.segments[s];
        const NetworkSegment& y = b.segments[s];
        EXPECT_EQ(x.sizeIndex, y.sizeIndex) << "segment " << s;
        EXPECT_TRUE(SameBits(x.flow, y.flow)) << "segment " << s;
        EXPECT_TRUE(SameBits(x.pressureDifference, y.pressureDifference)) << "segment " << s;
        EXPECT_TRUE(SameBits(x.specificLoss, y.specificLoss)) << "segment " << s;
        EXPECT_TRUE(SameBits(x.velocity, y.velocity)) << "segment " << s;
    }
    ASSERT_EQ(a.nodes.size(), b.nodes.size());
    for (std::size_t k = 0; k < a.nodes.size(); ++k) {
        EXPECT_TRUE(SameBits(a.nodes[k].drop, b.nodes[k].drop)) << "node " << k;
        EXPECT_TRUE(SameBits(a.nodes[k].supplyPressure, b.nodes[k].supplyPressure)) << "node " << k;
        EXPECT_TRUE(SameBits(a.nodes[k].returnPressure, b.nodes[k].returnPressure)) << "node " << k;
    }
}

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer build is many times slower; the Release run checks the full mix.
constexpr int kNetworks = 48;
#else
constexpr int kNetworks = 240;
#endif

struct PassCounts {
    int foreseen = 0, solved = 0, stepByStep = 0;
};

void ExpectSameCalculation(const ProjectData& data, const std::filesystem::path& here,
                           PassCounts& counts) {
    Outcome stepByStep, foreseen;
    Calculate(data, here, SizingMethod::kStepByStep, stepByStep);
    Calculate(data, here, SizingMethod::kForeseen, foreseen);

    EXPECT_EQ(stepByStep.result->completed, foreseen.result->completed);
    EXPECT_EQ(stepByStep.person.messages, foreseen.person.messages);
    EXPECT_EQ(stepByStep.person.questions, foreseen.person.questions);
    EXPECT_EQ(stepByStep.person.traces, foreseen.person.traces);
    EXPECT_EQ(stepByStep.report, foreseen.report);
    EXPECT_EQ(stepByStep.sized, foreseen.sized);
    EXPECT_EQ(stepByStep.diagram, foreseen.diagram);
    if (stepByStep.result->completed) ExpectSameModel(stepByStep.result->model, foreseen.result->model);

    const SizingStatistics& sizing = foreseen.result->model.sizing;
    EXPECT_EQ(sizing.forecastMisses, 0);
    if (stepByStep.result->completed) {
        EXPECT_EQ(sizing.solvedPasses + sizing.foreseenPasses,
                  stepByStep.result->model.sizing.solvedPasses);
    }
    counts.foreseen += sizing.foreseenPasses;
    counts.solved += sizing.solvedPasses;
    counts.stepByStep += stepByStep.result->model.sizing.solvedPasses;
}

TEST(SizingEquivalence, ForeseenAndStepByStepAgreeOnGeneratedNetworks) {
    TemporaryFolder folder;
    PassCounts counts;
    for (int index = 0; index < kNetworks; ++index) {
        SCOPED_TRACE("network " + std::to_string(index));
        const auto data = std::make_unique<ProjectData>(GenerateNetwork(RecipeFor(index)));
        ExpectSameCalculation(*data, folder.Path() / "network", counts);
        if (HasFailure()) break;
    }
    // The fast path must actually be taken: most passes of this mix are on trees.
    EXPECT_GT(counts.foreseen, counts.stepByStep / 2);
    std::printf("passes: %d foreseen and %d solved, against %d solved step by step\n",
                counts.foreseen, counts.solved, counts.stepByStep);
}

#if !defined(__SANITIZE_ADDRESS__)
// The network the speed targets are set for: 1400 segments, about 5,700 passes.
TEST(SizingEquivalence, LargestTreeAgrees) {
    TemporaryFolder folder;
    PassCounts counts;
    const auto data = std::make_unique<ProjectData>(GenerateNetwork({.segments = 1400, .seed = 1}));
    ExpectSameCalculation(*data, folder.Path() / "network", counts);
    EXPECT_GT(counts.foreseen, counts.stepByStep * 9 / 10);
}
#endif

// A generated network ordered, numbered and given its demands, ready to size.
struct BuiltNetwork {
    NetworkModel model;
    StandardPipeTable table;
    QuietInteraction person;
    CalculationMessenger messages{person};
    bool built = false;

    explicit BuiltNetwork(const NetworkRecipe& recipe) {
        const auto data = std::make_unique<ProjectData>(GenerateNetwork(recipe));
        const std::string pipeTable =
            (std::filesystem::path(ProgramDirectory()) / StandardPipeTable::kFileName).string();
        built = BuildNetwork(*data, pipeTable, model, table, messages);
    }
};

// The error bound itself, not just the decisions it leads to: on every solved
// pass of the step-by-step loop, every segment's |DP| and |G| must lie within
// the bound of its forecast.
void ExpectBoundCoversEveryPass(const NetworkRecipe& recipe) {
    BuiltNetwork network(recipe);
    ASSERT_TRUE(network.built);
    NetworkModel& model = network.model;
    const StandardPipeTable& table = network.table;
    CalculationMessenger& messages = network.messages;
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
            const double loss = forecast->SpecificLoss(s, sizes[s]);
            const double solvedLoss =
                std::fabs(model.nodes[segment.indexJ].drop - model.nodes[segment.indexI].drop) /
                segment.calculationLength;
            ASSERT_LE(std::fabs(solvedLoss - loss), forecast->LossBound(s) * loss)
                << "segment " << s << " pass " << checkedPasses;
            ASSERT_LE(std::fabs(std::fabs(segment.flow) - forecast->Flow(s)),
                      forecast->FlowBound(s) * forecast->Flow(s))
                << "segment " << s << " pass " << checkedPasses;
        }
    }
    EXPECT_GT(checkedPasses, 0);
}

TEST(TreeForecastBound, CoversTheSolvedLossesOfEveryPass) {
    ExpectBoundCoversEveryPass({.segments = 400, .seed = 11});
    ExpectBoundCoversEveryPass({.segments = 250, .seed = 12, .branchStartNode = 200,
                                .givenDiameterShare = 0.4});
    ExpectBoundCoversEveryPass({.segments = 150, .seed = 13, .illConditioned = true});
    ExpectBoundCoversEveryPass({.segments = 300, .seed = 14, .branchStartNode = 0,
                                .supplyTemperature = 95, .returnTemperature = 70});
#if !defined(__SANITIZE_ADDRESS__)
    ExpectBoundCoversEveryPass({.segments = 700, .seed = 15, .branchStartNode = 200});
#endif
}

TEST(TreeForecastBound, TakesNoNetworkItCannotVouchFor) {
    // Loops and secondary heat sources go the step-by-step way.
    const auto forecastOf = [](const NetworkRecipe& recipe) {
        const BuiltNetwork network(recipe);
        EXPECT_TRUE(network.built);
        return TreeForecast::For(network.model, network.table).has_value();
    };
    EXPECT_TRUE(forecastOf({.segments = 60, .seed = 3}));
    EXPECT_FALSE(forecastOf({.segments = 60, .seed = 3, .loopSegments = 2}));
    EXPECT_FALSE(forecastOf({.segments = 60, .seed = 3, .secondarySourceShare = 0.2}));
}

}  // namespace
}  // namespace heatnet
