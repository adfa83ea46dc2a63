#include "hydraulics/nodal_flow_solver.h"

#include <cmath>

#include "data/number_text.h"

namespace heatnet {

void NodalFlowSolver::Prepare() {
    for (NetworkSegment& segment : model_.segments) {
        segment.resistance = segment.flowFactor;
        segment.previousFlow = 0;
    }
    // The numbering, and with it the profile, stays the same through the passes.
    if (!laidOut_) matrix_.Layout(model_);
    laidOut_ = true;
}

bool NodalFlowSolver::Assemble() {
    const int source = model_.sourceIndex;
    matrix_.Clear();
    for (const NetworkSegment& segment : model_.segments) {
        if (segment.resistance == 0) {
            messages_.Refuse("管段流量为0   检查第" + NumberToBoxText(segment.nodeI) + "点或第" +
                             NumberToBoxText(segment.nodeJ) + "点");
            return false;
        }
        const double conductance = 1 / segment.resistance;
        matrix_.At(segment.indexJ, segment.indexJ) += conductance;
        if (segment.indexI != source) {
            matrix_.At(segment.indexI, segment.indexI) += conductance;
            double& offDiagonal = matrix_.At(segment.indexI, segment.indexJ);
            offDiagonal -= conductance;
            if (offDiagonal == 0) messages_.Inform("流量为0  ");
        }
    }
    if (!model_.segments.empty()) {
        const int lastJ = model_.segments.back().indexJ;
        if (matrix_.At(lastJ, lastJ) == 0) messages_.Inform("流量为0   ");
    }
    return true;
}

namespace {

// row[t] -= multipliers[t] * a for a run of a row. Element by element, without
// fused multiply-add, so every instruction set gives the same bits; the wider
// ones only do more elements at a time.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx512f", "avx2", "default")))
#endif
void SubtractScaled(double* __restrict row, const double* __restrict multipliers, int count,
                    double a) {
    for (int t = 0; t < count; ++t) row[t] -= multipliers[t] * a;
}

}  // namespace

// Profile Gaussian elimination in the order of operations the results depend on:
// b(r) is divided by the pivot before the rows below are reduced. Rows whose
// band does not reach a column are left out of its step: there the written
// procedure only subtracts products with a zero multiplier, which changes
// nothing (the one exception, the sign of a zero result in the back
// substitution, is settled by redoing that row in full).
bool NodalFlowSolver::Eliminate() {
    const int order = model_.M();
    rhs_.assign(order + 1, 0.0);
    for (int r = 1; r <= order; ++r) rhs_[r] = model_.nodes[r].demand;
    multiplier_.assign(order + 1, 0.0);

    for (int r = 1; r <= order; ++r) {
        const double pivot = matrix_.At(r, r);
        if (pivot == 0) {
            const Number position = static_cast<double>(matrix_.DiagonalPosition(r));
            messages_.Refuse("某管段流量为0" + NumberToBoxText(position) + " " +
                             NumberToBoxText(position));
            return false;
        }
        rhs_[r] = rhs_[r] / pivot;
        const std::vector<int>& rows = matrix_.RowsReaching(r);
        for (const int s : rows) {
            const double a = matrix_.At(s, r);
            multiplier_[s] = a;
            if (a == 0) continue;
            multiplier_[s] = a / pivot;
            SubtractScaled(&matrix_.At(s, r + 1), &multiplier_[r + 1], s - r, a);
            rhs_[s] -= a * rhs_[r];
            matrix_.At(s, r) = multiplier_[s];
        }
        matrix_.At(r, r) = 1;
        // Rows outside the band of the next columns must read a zero multiplier.
        for (const int s : rows) multiplier_[s] = 0;
    }
    for (int r = order - 1; r >= 1; --r) {
        double value = rhs_[r];
        for (const int s : matrix_.RowsReaching(r)) value -= matrix_.At(s, r) * rhs_[s];
        if (value == 0) {
            value = rhs_[r];
            for (int s = r + 1; s <= order; ++s) {
                const double m = matrix_.InBand(s, r) ? matrix_.At(s, r) : 0.0;
                value -= m * rhs_[s];
            }
        }
        rhs_[r] = value;
    }
    return true;
}

bool NodalFlowSolver::SolveOnce() {
    messages_.KeepAlive();
    if (!Assemble() || !Eliminate()) return false;
    const int order = model_.M();
    for (int r = 1; r <= order; ++r) model_.nodes[r].drop = rhs_[r];
    model_.nodes[model_.sourceIndex].drop = 0;
    for (NetworkSegment& segment : model_.segments)
        segment.flow = (model_.nodes[segment.indexJ].drop - model_.nodes[segment.indexI].drop) /
                       segment.resistance;
    return true;
}

bool NodalFlowSolver::SolveFlows() {
    for (int solution = 1;; ++solution) {
        solutions_ = solution;
        if (!SolveOnce()) return false;
        bool settled = true;
        for (const NetworkSegment& segment : model_.segments)
            if (std::fabs(segment.flow - segment.previousFlow) >= 1) {
                settled = false;
                break;
            }
        if (settled) return true;
        if (solution == kMaxSolutions) {
            messages_.Refuse("管网流量迭代" + std::to_string(kMaxSolutions) +
                             "次后仍未稳定,计算停止。请检查管网数据(管径、长度和节点负荷)。");
            return false;
        }
        for (NetworkSegment& segment : model_.segments) {
            if (solution != 1) segment.flow = (segment.previousFlow + segment.flow) / 2;
            segment.resistance = std::fabs(segment.flow) * segment.flowFactor;
            segment.previousFlow = segment.flow;
        }
    }
}

}  // namespace heatnet
