#include "hydraulics/nodal_flow_solver.h"

#include <cmath>

#include "data/number_text.h"
#include "hydraulics/profile_elimination.h"

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

bool NodalFlowSolver::Eliminate() {
    const int order = model_.M();
    auto takeDemands = [&] {
        rhs_.assign(order + 1, 0.0);
        for (int r = 1; r <= order; ++r) rhs_[r] = model_.nodes[r].demand;
    };
    takeDemands();
    int row = EliminateSparse(matrix_, rhs_, rowWork_, multiplier_);
    if (row == kNotFiniteCoefficient) {
        // Assembling again gives the same coefficients and no new message.
        Assemble();
        takeDemands();
        row = EliminateProfile(matrix_, rhs_, multiplier_);
    }
    if (row != 0) {
        const Number position = static_cast<double>(matrix_.DiagonalPosition(row));
        messages_.Refuse("某管段流量为0" + NumberToBoxText(position) + " " + NumberToBoxText(position));
        return false;
    }
    return true;
}

bool NodalFlowSolver::SolveOnce() {
    if (!messages_.KeepAlive({model_.sizing.solvedPasses + model_.sizing.foreseenPasses}))
        return false;
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
