#pragma once

#include <memory>
#include <vector>

#include "hydraulics/calculation_messenger.h"
#include "hydraulics/network_model.h"
#include "hydraulics/nodal_flow_solver.h"
#include "hydraulics/sizing_pass.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// Solves sizing passes literally, several side by side. Beside the pass at the
// model's sizes, the passes that would follow if predicted enlargements came
// true are solved on other threads, each with its own copy of the model, its own
// solver and a messenger that keeps what it says. They are taken in order while
// the pass before each enlarged exactly as predicted; the first that did not
// ends the run and the rest are dropped. A taken pass was solved exactly as the
// step-by-step loop solves it, on the same sizes from a fresh start (every pass
// begins with R = S and previous flows 0, and no state but the sizes passes from
// one pass to the next), so sizes, flows, messages and findings are the same.
//
// The threads live here and only here: nothing is shared between passes but
// the read-only table and the sizes each pass is handed before it starts.
class PassSpeculation {
public:
    // `threads` 0 takes the machine's cores; 1 solves one pass at a time.
    PassSpeculation(NetworkModel& model, const StandardPipeTable& table, CalculationMessenger& messages,
                    int threads);
    ~PassSpeculation();
    PassSpeculation(const PassSpeculation&) = delete;
    PassSpeculation& operator=(const PassSpeculation&) = delete;

    int Threads() const;

    // Solves the pass at the model's sizes on this thread, talking to the person
    // as any pass does, and beside it the passes after the first 1, 2, ... of
    // `predicted` (predicted[0] being what this pass is expected to enlarge), as
    // many as there are other threads. Returns the outcome of the last pass taken;
    // the model then holds that pass's results and the sizes it left, and
    // LastEnlargement() what it enlarged.
    PassOutcome Solve(const std::vector<Enlargement>& predicted);
    Enlargement LastEnlargement() const { return lastMade_; }

private:
    class Workers;
    struct Slot;

    bool WaitForSlots(int launched);

    NetworkModel& model_;
    const StandardPipeTable& table_;
    CalculationMessenger& messages_;
    NodalFlowSolver solver_;
    std::vector<std::unique_ptr<Slot>> slots_;
    std::unique_ptr<Workers> workers_;
    Enlargement lastMade_;
};

// What the passes after a solved pass are likely to enlarge, at most `most`: the
// solved flows taken as they stay (exact for a tree, near it for rings), the
// enlarged segment's loss scaled by the friction coefficients of its old and new
// size, and the walk made again on these estimates.
std::vector<Enlargement> PredictEnlargements(const NetworkModel& model, const StandardPipeTable& table,
                                             Enlargement made, int most);

// Solved passes until one enlarges nothing or `most` have been taken (kEnlarged
// then), each round predicting from the last pass taken what the next ones enlarge.
PassOutcome SolveBySpeculation(PassSpeculation& passes, NetworkModel& model, const StandardPipeTable& table,
                               int most);
// The same without a limit. False when the calculation cannot go on.
bool SizeBySpeculation(PassSpeculation& passes, NetworkModel& model, const StandardPipeTable& table);

}  // namespace heatnet
