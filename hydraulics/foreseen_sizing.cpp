#include "hydraulics/foreseen_sizing.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "hydraulics/pass_speculation.h"
#include "hydraulics/sizing_pass.h"
#include "hydraulics/sizing_rules.h"
#include "hydraulics/tree_forecast.h"

namespace heatnet {
namespace {

// The passes that enlarge one segment in a row: the walk passes every segment
// before it and stops at it, at each of its sizes but the last.
struct Run {
    int segment = 0;
    std::vector<int> sizes;  // sizes[j] during the j-th pass; sizes.back() after the run
    int Passes() const { return static_cast<int>(sizes.size()) - 1; }
};

// Runs are vouched for many at a time: one error bound covers every pass whose
// sizes lie between the sizes before and after the runs. A group that cannot be
// vouched for is halved, a single run taken pass by pass, and a pass that still
// cannot be vouched for is solved. The group grows while groups are vouched for
// and shrinks when one is not, so that few bounds are spent on groups too wide.
constexpr int kMostRunsPerGroup = 64;

// Asking the forecast costs a bound over the whole network per pass, which only
// pays when passes are taken without solving. After kRestAfter passes solved in a
// row it rests for kRestPasses passes, solved without asking, and is asked once
// more: still not vouching, it rests again; a pass it vouches for ends the rests.
// So where it never vouches it is asked for one pass in kRestPasses + 1, and where
// it starts vouching again (a heavy tree once its main line is large enough) at
// most kRestPasses passes are solved that it could have vouched for. What it would
// have vouched for is solved instead, so the results are the same either way.
constexpr int kRestAfter = 64;
constexpr int kRestPasses = 16;

enum class Progress { kTaken, kSolved, kStopped, kFinished };

class ForeseenSizing {
public:
    ForeseenSizing(NetworkModel& model, const StandardPipeTable& table, TreeForecast& forecast,
                   PassSpeculation& passes)
        : model_(model), table_(table), forecast_(forecast), passes_(passes) {}

    bool Size() {
        SizingStatistics& sizing = model_.sizing;
        int position = 0;
        int foreseenBefore = 0, solvedInARow = 0;
        enum class Asking { kUsually, kRightAfterRest, kOnceAfterRest } asking = Asking::kUsually;
        for (;;) {
            if (sizing.foreseenPasses > foreseenBefore) {
                foreseenBefore = sizing.foreseenPasses;
                solvedInARow = 0, asking = Asking::kUsually;
            } else if (asking == Asking::kOnceAfterRest || solvedInARow >= kRestAfter) {
                const int solvedBefore = sizing.solvedPasses;
                const PassOutcome outcome = SolveBySpeculation(passes_, model_, table_, kRestPasses);
                sizing.solvedWhileForecastRested += sizing.solvedPasses - solvedBefore;
                if (outcome != PassOutcome::kEnlarged) return outcome == PassOutcome::kFinished;
                solvedInARow = 0, position = 0, asking = Asking::kRightAfterRest;
            } else if (asking == Asking::kRightAfterRest) {
                asking = Asking::kOnceAfterRest;
            }
            const int solvedBefore = sizing.solvedPasses;
            const std::vector<Run> runs = PlanRuns(position, runsPerGroup_);
            if (runs.empty()) {
                // The pass the forecast expects to enlarge nothing, solved for the results.
                const PassOutcome outcome = Solve({});
                if (outcome != PassOutcome::kEnlarged) return outcome == PassOutcome::kFinished;
                ++sizing.forecastMisses;
                ++solvedInARow;
                position = 0;
                continue;
            }
            const Progress progress = TakeRuns(runs, 0, static_cast<int>(runs.size()));
            if (progress == Progress::kStopped) return false;
            if (progress == Progress::kFinished) return true;
            solvedInARow += sizing.solvedPasses - solvedBefore;
            // A solved pass may decide otherwise than the forecast: walk afresh.
            position = progress == Progress::kSolved ? 0 : runs.back().segment;
        }
    }

private:
    double Zone(int s) const { return ZoneLimit(model_.segments[s], model_.branchStartNode); }

    // The enlargements the plan expects from pass `pass` of run `first` on, as
    // many as the threads can solve ahead.
    std::vector<Enlargement> PlannedFrom(const std::vector<Run>& runs, int first, int pass) const {
        std::vector<Enlargement> planned;
        const size_t wanted = static_cast<size_t>(passes_.Threads());
        for (int r = first; r < static_cast<int>(runs.size()) && planned.size() < wanted; ++r)
            for (int p = r == first ? pass : 0; p < runs[r].Passes() && planned.size() < wanted; ++p)
                planned.push_back({runs[r].segment, runs[r].sizes[p], runs[r].sizes[p + 1]});
        return planned;
    }

    // The next runs of the forecast walk from `position` on, at most a group's worth.
    std::vector<Run> PlanRuns(int position, int most) const {
        std::vector<Run> runs;
        const int count = model_.SegmentCount();
        for (int s = position; s < count && static_cast<int>(runs.size()) < most; ++s) {
            const NetworkSegment& segment = model_.segments[s];
            if (!segment.autoSized) continue;
            int size = segment.sizeIndex;
            int step = forecast_.ForeseenStep(s, size, Zone(s));
            if (step == 0 || size >= StandardPipeTable::kSizes) continue;
            Run run{s, {size}};
            while (step > 0 && size < StandardPipeTable::kSizes) {
                size = std::min(size + step, StandardPipeTable::kSizes);
                run.sizes.push_back(size);
                step = forecast_.ForeseenStep(s, size, Zone(s));
            }
            runs.push_back(std::move(run));
        }
        return runs;
    }

    // Takes runs [first, last) of the plan: vouched for together, by halves, or
    // pass by pass.
    Progress TakeRuns(const std::vector<Run>& runs, int first, int last) {
        const bool wholePlan = first == 0 && last == static_cast<int>(runs.size());
        if (Vouch(runs, first, last, 0, runs[last - 1].Passes() - 1)) {
            for (int r = first; r < last; ++r) TakePasses(runs[r], 0, runs[r].Passes() - 1);
            if (wholePlan) runsPerGroup_ = std::min(2 * runsPerGroup_, kMostRunsPerGroup);
            return Progress::kTaken;
        }
        if (wholePlan) runsPerGroup_ = std::max(1, runsPerGroup_ / 2);
        if (last - first > 1) {
            const int middle = first + (last - first) / 2;
            const Progress progress = TakeRuns(runs, first, middle);
            return progress == Progress::kTaken ? TakeRuns(runs, middle, last) : progress;
        }
        for (int pass = 0; pass < runs[first].Passes(); ++pass) {
            if (Vouch(runs, first, last, pass, pass)) {
                TakePasses(runs[first], pass, pass);
                continue;
            }
            const PassOutcome outcome = Solve(PlannedFrom(runs, first, pass));
            if (outcome == PassOutcome::kStopped) return Progress::kStopped;
            return outcome == PassOutcome::kFinished ? Progress::kFinished : Progress::kSolved;
        }
        return Progress::kTaken;
    }

    // Whether the solved passes would decide as foreseen, for runs [first, last)
    // where the last run is taken from its pass `fromPass` to `toPass` (a group
    // of runs is always taken whole). In each pass the walk passes every segment
    // before the run's segment, at its size by then, and enlarges that segment.
    bool Vouch(const std::vector<Run>& runs, int first, int last, int fromPass, int toPass) {
        const int count = model_.SegmentCount();
        smallest_.resize(count);
        largest_.resize(count);
        for (int s = 0; s < count; ++s) smallest_[s] = largest_[s] = model_.segments[s].sizeIndex;
        const Run& lastRun = runs[last - 1];
        for (int r = first; r < last; ++r) {
            const bool partial = r == last - 1;
            smallest_[runs[r].segment] = runs[r].sizes[partial ? fromPass : 0];
            largest_[runs[r].segment] = partial ? runs[r].sizes[toPass] : runs[r].sizes.back();
        }
        if (!forecast_.BoundErrors(smallest_, largest_)) return false;
        // The walk tells every segment it passes, sized or given, whose solved
        // pressure difference is exactly 0, and the run's segment before it is
        // enlarged. That can only be ruled out, never foreseen: a pass where the
        // bound leaves it open is solved, unless the segment was found already.
        for (int s = 0; s <= lastRun.segment; ++s)
            if (!forecast_.CertainlyNotZero(s) && !model_.sizing.zeroPressureDifference.Holds(s))
                return false;
        // Walked segments before the last run's: they pass at the size they have
        // when walked, the size after their own run.
        for (int s = 0; s < lastRun.segment; ++s) {
            const NetworkSegment& segment = model_.segments[s];
            if (!segment.autoSized) continue;
            const int size = largest_[s];
            const std::optional<int> step = forecast_.CertainStep(s, size, Zone(s));
            if (!step || (*step > 0 && size < StandardPipeTable::kSizes)) return false;
            if (*step == 0 && !forecast_.CertainSmallFlow(s)) return false;
        }
        for (int r = first; r < last; ++r) {
            const bool partial = r == last - 1;
            const int from = partial ? fromPass : 0;
            const int to = partial ? toPass : runs[r].Passes() - 1;
            for (int pass = from; pass <= to; ++pass) {
                const std::optional<int> step =
                    forecast_.CertainStep(runs[r].segment, runs[r].sizes[pass], Zone(runs[r].segment));
                if (!step || *step == 0) return false;
            }
        }
        return true;
    }

    // Takes passes first..last of a run as vouched for: the walk's messages and
    // held segments for the segments it passes, then the enlargement.
    void TakePasses(const Run& run, int first, int last) {
        for (int pass = first; pass <= last; ++pass) {
            for (; walkedTo_ < run.segment; ++walkedTo_) {
                const NetworkSegment& segment = model_.segments[walkedTo_];
                if (!segment.autoSized) continue;
                if (*forecast_.CertainStep(walkedTo_, segment.sizeIndex, Zone(walkedTo_)) > 0)
                    model_.sizing.heldAtLargestSize.Add(walkedTo_);
                else if (*forecast_.CertainSmallFlow(walkedTo_))
                    model_.sizing.smallFlow.Add(walkedTo_);
            }
            model_.segments[run.segment].sizeIndex = run.sizes[pass + 1];
            ++model_.sizing.foreseenPasses;
        }
    }

    // Solved, with the planned passes after it solved ahead on the other threads.
    PassOutcome Solve(const std::vector<Enlargement>& planned) { return passes_.Solve(planned); }

    NetworkModel& model_;
    const StandardPipeTable& table_;
    TreeForecast& forecast_;
    PassSpeculation& passes_;
    std::vector<int> smallest_, largest_;
    int walkedTo_ = 0;  // segments whose walk messages have been given
    int runsPerGroup_ = 1;
};

}  // namespace

bool SizeDiametersForeseen(NetworkModel& model, const StandardPipeTable& table,
                           CalculationMessenger& messages) {
    PassSpeculation passes(model, table, messages, model.sizingThreads);
    std::optional<TreeForecast> forecast = TreeForecast::For(model, table);
    if (!forecast) return SizeBySpeculation(passes, model, table);
    return ForeseenSizing(model, table, *forecast, passes).Size();
}

}  // namespace heatnet
