#include "hydraulics/pass_speculation.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <limits>
#include <mutex>
#include <thread>

#include "hydraulics/sizing_rules.h"

namespace heatnet {

// A pass solved ahead of its turn: its own model, solver and keeping messenger,
// made once and handed new sizes for every pass.
struct PassSpeculation::Slot {
    Slot(const NetworkModel& model, const std::atomic<bool>& stop)
        : model(model), messenger(said, stop), solver(this->model, messenger) {}

    NetworkModel model;
    std::vector<CalculationMessenger::Said> said;
    CalculationMessenger messenger;
    NodalFlowSolver solver;
    PassOutcome outcome = PassOutcome::kStopped;
    Enlargement made;
};

// Threads that each run the job of their slot when a round starts, and tell when
// all are done. A round's slots are filled before it starts and read after it
// ends, so the lock hands them over between the threads.
class PassSpeculation::Workers {
public:
    Workers(int count, std::function<void(int)> job) : job_(std::move(job)) {
        for (int i = 0; i < count; ++i) threads_.emplace_back([this, i] { Run(i); });
    }
    ~Workers() {
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        work_.notify_all();
        for (std::thread& thread : threads_) thread.join();
    }
    void Start(int active) {
        {
            const std::lock_guard lock(mutex_);
            active_ = active;
            pending_ = active;
            ++round_;
        }
        work_.notify_all();
    }
    // True once every slot of the round is done; false after `wait` otherwise.
    bool WaitFor(std::chrono::milliseconds wait) {
        std::unique_lock lock(mutex_);
        return done_.wait_for(lock, wait, [this] { return pending_ == 0; });
    }
    std::atomic<bool> stop{false};

private:
    void Run(int index) {
        long seen = 0;
        std::unique_lock lock(mutex_);
        for (;;) {
            work_.wait(lock, [&] { return quit_ || round_ != seen; });
            if (quit_) return;
            seen = round_;
            if (index >= active_) continue;
            lock.unlock();
            job_(index);
            lock.lock();
            if (--pending_ == 0) done_.notify_all();
        }
    }

    std::function<void(int)> job_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable work_, done_;
    long round_ = 0;
    int active_ = 0;
    int pending_ = 0;
    bool quit_ = false;
};

namespace {

// How often the person is answered while the other threads finish a round, as
// the solver answers between its solutions.
constexpr std::chrono::milliseconds kAnswerInterval{50};

// The default stops at 16 threads: deeper predictions are seldom all confirmed
// (a ring network takes 13 times fewer rounds on 16 threads, 7 on 8), while every
// thread holds a copy of the model and of the factor.
constexpr int kMostDefaultThreads = 16;

int ThreadsFor(int wanted) {
    if (wanted > 0) return wanted;
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMostDefaultThreads);
}

void Merge(SegmentsInOrder& into, const SegmentsInOrder& found) {
    for (const int s : found.InOrder()) into.Add(s);
}

}  // namespace

PassSpeculation::PassSpeculation(NetworkModel& model, const StandardPipeTable& table,
                                 CalculationMessenger& messages, int threads)
    : model_(model), table_(table), messages_(messages), solver_(model, messages) {
    const int others = ThreadsFor(threads) - 1;
    if (others == 0) return;
    workers_ = std::make_unique<Workers>(others, [this](int index) {
        Slot& slot = *slots_[index];
        slot.model.sizing = {};
        slot.said.clear();
        slot.messenger.ForgetShown();
        slot.outcome = RunSolvedPass(slot.model, table_, slot.solver, &slot.made);
    });
    for (int i = 0; i < others; ++i) slots_.push_back(std::make_unique<Slot>(model, workers_->stop));
}

PassSpeculation::~PassSpeculation() = default;

int PassSpeculation::Threads() const { return static_cast<int>(slots_.size()) + 1; }

bool PassSpeculation::WaitForSlots(int launched) {
    if (launched == 0) return true;
    bool answered = true;
    while (!workers_->WaitFor(kAnswerInterval)) {
        if (answered && !messages_.KeepAlive({model_.sizing.solvedPasses + model_.sizing.foreseenPasses})) {
            // Cancelled: the passes ahead are dropped as soon as they notice.
            workers_->stop = true;
            answered = false;
        }
    }
    return answered;
}

PassOutcome PassSpeculation::Solve(const std::vector<Enlargement>& predicted) {
    const int launched = std::min(static_cast<int>(predicted.size()), static_cast<int>(slots_.size()));
    for (int i = 0; i < launched; ++i) {
        NetworkModel& ahead = slots_[i]->model;
        for (int s = 0; s < model_.SegmentCount(); ++s) ahead.segments[s].sizeIndex = model_.segments[s].sizeIndex;
        for (int k = 0; k <= i; ++k) ahead.segments[predicted[k].segment].sizeIndex = predicted[k].size;
    }
    if (launched > 0) {
        workers_->stop = false;
        workers_->Start(launched);
    }
    ++model_.sizing.solvedPasses;
    PassOutcome outcome = RunSolvedPass(model_, table_, solver_, &lastMade_);
    // Passes built on a prediction this pass did not make are of no use.
    if (launched > 0 && (outcome != PassOutcome::kEnlarged || !(lastMade_ == predicted[0])))
        workers_->stop = true;
    if (!WaitForSlots(launched)) return PassOutcome::kStopped;

    int taken = 0;
    while (taken < launched && outcome == PassOutcome::kEnlarged && lastMade_ == predicted[taken]) {
        Slot& slot = *slots_[taken];
        messages_.Replay(slot.said);
        Merge(model_.sizing.zeroPressureDifference, slot.model.sizing.zeroPressureDifference);
        Merge(model_.sizing.heldAtLargestSize, slot.model.sizing.heldAtLargestSize);
        Merge(model_.sizing.smallFlow, slot.model.sizing.smallFlow);
        ++model_.sizing.solvedPasses;
        ++model_.sizing.speculatedTaken;
        outcome = slot.outcome;
        lastMade_ = slot.made;
        ++taken;
    }
    model_.sizing.speculatedDropped += launched - taken;
    if (taken > 0) {
        const NetworkModel& last = slots_[taken - 1]->model;
        model_.segments = last.segments;
        model_.nodes = last.nodes;
    }
    return outcome;
}

std::vector<Enlargement> PredictEnlargements(const NetworkModel& model, const StandardPipeTable& table,
                                             Enlargement made, int most) {
    std::vector<Enlargement> predicted;
    if (most <= 0) return predicted;
    const int count = model.SegmentCount();
    std::vector<double> loss(count);
    std::vector<int> size(count);
    for (int s = 0; s < count; ++s) {
        const NetworkSegment& segment = model.segments[s];
        loss[s] = (model.nodes[segment.indexJ].drop - model.nodes[segment.indexI].drop) / segment.calculationLength;
        size[s] = segment.sizeIndex;
    }
    // The loss goes with the friction coefficient at an unchanged flow.
    const auto enlarge = [&](int s, int from, int to) {
        loss[s] *= table.Coefficient(to) / table.Coefficient(from);
        size[s] = to;
    };
    enlarge(made.segment, made.from, made.size);
    int from = 0;
    while (static_cast<int>(predicted.size()) < most) {
        int s = from;
        int step = 0;
        for (; s < count; ++s) {
            const NetworkSegment& segment = model.segments[s];
            if (!segment.autoSized || size[s] >= StandardPipeTable::kSizes) continue;
            if ((step = EnlargementStep(loss[s], ZoneLimit(segment, model.branchStartNode))) > 0) break;
        }
        if (s == count) break;
        const int to = std::min(size[s] + step, StandardPipeTable::kSizes);
        predicted.push_back({s, size[s], to});
        enlarge(s, size[s], to);
        from = s;
    }
    return predicted;
}

PassOutcome SolveBySpeculation(PassSpeculation& passes, NetworkModel& model, const StandardPipeTable& table,
                               int most) {
    std::vector<Enlargement> predicted;
    for (const int start = model.sizing.solvedPasses; model.sizing.solvedPasses - start < most;) {
        const PassOutcome outcome = passes.Solve(predicted);
        if (outcome != PassOutcome::kEnlarged) return outcome;
        predicted = PredictEnlargements(model, table, passes.LastEnlargement(), passes.Threads() - 1);
    }
    return PassOutcome::kEnlarged;
}

bool SizeBySpeculation(PassSpeculation& passes, NetworkModel& model, const StandardPipeTable& table) {
    return SolveBySpeculation(passes, model, table, std::numeric_limits<int>::max()) == PassOutcome::kFinished;
}

}  // namespace heatnet
