#pragma once

#include <vector>

#include "hydraulics/calculation_messenger.h"
#include "hydraulics/network_model.h"
#include "hydraulics/profile_matrix.h"

namespace heatnet {

// Finds segment flows and node pressure drops from the nodal equations, with
// resistances linearised at the last flows until the flows settle.
class NodalFlowSolver {
public:
    static constexpr int kMaxSolutions = 1000;

    NodalFlowSolver(NetworkModel& model, CalculationMessenger& messages)
        : model_(model), messages_(messages) {}

    // Starts a pass from the current flow factors: R = S, previous flow 0.
    void Prepare();
    // Solves until settled. False when the calculation cannot go on (the reason
    // has been shown).
    bool SolveFlows();
    // One linearised solution at the present resistances.
    bool SolveOnce();

    // Solutions used by the last SolveFlows.
    int Solutions() const { return solutions_; }

private:
    bool Assemble();
    bool Eliminate();

    NetworkModel& model_;
    CalculationMessenger& messages_;
    ProfileMatrix matrix_;
    std::vector<double> rhs_;
    std::vector<double> multiplier_;
    std::vector<int> rowWork_;
    int solutions_ = 0;
    bool laidOut_ = false;
};

}  // namespace heatnet
