#pragma once
// The foreseen sizing loop against the step-by-step one on generated networks:
// what both tests of the comparison share.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "calculation/program_directory.h"
#include "data/base_data_file.h"
#include "hydraulics/network_calculation.h"
#include "test_support.h"
#include "tools/network_generator.h"
#include "tools/quiet_interaction.h"

namespace heatnet::testing {

// A generated network built as a calculation builds it, for tests that drive the
// sizing passes themselves.
struct BuiltNetwork {
    explicit BuiltNetwork(const NetworkRecipe& recipe) {
        const auto data = std::make_unique<ProjectData>(GenerateNetwork(recipe));
        built = BuildNetwork(*data, ProgramDirectory() + "/" + StandardPipeTable::kFileName, model, table, messages);
    }

    NetworkModel model;
    StandardPipeTable table;
    QuietInteraction person;
    CalculationMessenger messages{person};
    bool built = false;
};

inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Everything one method says and writes, calculating net.TXT in `folder`; both
// methods run in the same folder, since the closing message names it.
inline std::vector<std::vector<std::string>> Transcript(const TemporaryFolder& folder, SizingMethod method,
                                                        std::unique_ptr<CalculationResult>& result,
                                                        int threads = 1) {
    RecordingInteraction person;
    result = RunHydraulicCalculation(folder.File("net.TXT"), person, ProgramDirectory(), method, threads);
    std::vector<std::string> outputs;
    for (const char* name : {"net_OUT.TXT", "net#.TXT", "net.dxf"}) {
        outputs.push_back(ReadBytes(folder.File(name)));
        std::filesystem::remove(folder.File(name));
    }
    return {person.messages, person.questions, person.traces, outputs};
}

inline void ExpectSameModel(const NetworkModel& a, const NetworkModel& b) {
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

// Foreseen sizing runs on one thread and on three, passes solved ahead on the
// other two. Returns the foreseen and the step-by-step solved passes and the forecast's
// misses. `heldExpected`: the segments held at the largest size are named in one
// message. `missesTolerated`: for flows beside a limit, where the forecast may
// plan a last pass that the solution still enlarges.
inline std::tuple<int, int, int> ExpectSameCalculation(const NetworkRecipe& recipe, const TemporaryFolder& folder,
                                                       bool heldExpected = false, bool missesTolerated = false) {
    EXPECT_EQ(WriteBaseDataFile(folder.File("net.TXT"), GenerateNetwork(recipe)), "");
    std::unique_ptr<CalculationResult> stepByStep, foreseen, ahead;
    const auto transcript = Transcript(folder, SizingMethod::kStepByStep, stepByStep);
    EXPECT_EQ(transcript, Transcript(folder, SizingMethod::kForeseen, foreseen));
    EXPECT_EQ(transcript, Transcript(folder, SizingMethod::kForeseen, ahead, 3));
    if (heldExpected) {
        EXPECT_EQ(std::ranges::count_if(transcript[0], [](const std::string& message) {
                      return message.find("已取最大标准管径") != std::string::npos && message.find("、") != std::string::npos;
                  }), 1);
    }
    EXPECT_EQ(stepByStep->completed, foreseen->completed);
    const SizingStatistics &fast = foreseen->model.sizing, &slow = stepByStep->model.sizing;
    if (!missesTolerated) {
        EXPECT_EQ(fast.forecastMisses, 0);
    }
    if (stepByStep->completed) {
        ExpectSameModel(stepByStep->model, foreseen->model);
        ExpectSameModel(stepByStep->model, ahead->model);
        EXPECT_EQ(fast.solvedPasses + fast.foreseenPasses, slow.solvedPasses);
        const SizingStatistics& threaded = ahead->model.sizing;
        EXPECT_EQ(threaded.solvedPasses + threaded.foreseenPasses, slow.solvedPasses);
        // Where passes are solved one after another, some are solved ahead and taken.
        if (fast.solvedPasses >= 20) {
            EXPECT_GT(threaded.speculatedTaken, 0);
        }
    }
    return {fast.foreseenPasses, slow.solvedPasses, fast.forecastMisses};
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSlowBuild = true;  // the sanitizer build is many times slower
#else
constexpr bool kSlowBuild = false;
#endif

}  // namespace heatnet::testing
