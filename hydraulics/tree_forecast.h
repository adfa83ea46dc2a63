#pragma once

#include <optional>
#include <vector>

#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"

namespace heatnet {

// On a tree, a segment carries the demand of the nodes beyond it (secondary
// sources counting negative) whatever the sizes, so its specific friction loss
// in a sizing pass is S·G²/Lj before any equation is solved. The profile
// elimination finds the same value up to its rounding errors. TreeForecast
// bounds those errors for a range of sizes at once, so that the sizing loop may
// take a pass without solving it when every decision of the pass lies clear of
// its limit by more than the bound.
//
// The bound (the argument in full: docs/sizing-error-bound.md). The
// elimination and the two substitutions compute the exact solution of
// (A + E)x = b with |E| <= gamma_k (|L||U|)|x| in row k, gamma_k growing with the
// number of terms that meet in row k. For the grounded tree Laplacian A,
// A^-1(e_J - e_I) is the segment's resistance on the nodes beyond it and zero
// elsewhere, so the pressure difference of a segment is off by at most R times
// the sum of the row bounds over the nodes beyond it. The factors of an
// M-matrix have known signs, which turns (|L||U|x)_k, for non-negative
// demands, into 2d_k(x_k - y_k) + 2 sum_i |u_ik| x_i + b_k; the sum is bounded
// without factorising, by the Cauchy-Schwarz inequality on the pivots, by the
// conductance of the segment into k, and by the transfer conductance between
// two nodes, at most the inverse of the resistance of the tree path between
// them. Secondary sources are bounded through the drops of the same tree with
// every demand a consumer, which bound |x|. Every term grows with the
// conductances and the resistances, so resistances taken at the smallest and
// conductances at the largest sizes of a range bound every pass in it. The
// analysis is to first order; the bound is taken half as large again for what
// it leaves out, and passes where a node's drop is not known to 5 % are solved.
class TreeForecast {
public:
    // Empty unless the network is a tree, numbered from the source outward, with
    // a non-zero flow in every segment. Secondary sources (negative demands) get
    // a wider bound that does not rely on the drops growing along every path.
    static std::optional<TreeForecast> For(const NetworkModel& model,
                                           const StandardPipeTable& table);

    // |specific friction loss| (Pa/m) of a segment at a size, in exact arithmetic.
    double SpecificLoss(int segment, int size) const;
    // The step the sizing walk takes on that value (as EnlargementStep).
    int ForeseenStep(int segment, int size, double zoneLimit) const;

    // Bounds the rounding errors of every pass whose size indices lie, segment by
    // segment, between `smallest` and `largest`. False when such passes cannot be
    // vouched for: a pivot or a flow too close to zero, or the two-solution
    // course of the flow iteration not certain.
    bool BoundErrors(const std::vector<int>& smallest, const std::vector<int>& largest);

    // After BoundErrors: what the solved pass would decide, or empty when the
    // bound leaves it open.
    std::optional<int> CertainStep(int segment, int size, double zoneLimit) const;
    std::optional<bool> CertainSmallFlow(int segment) const;
    // After BoundErrors: whether the solved pressure difference cannot be
    // exactly 0. A trickle beside large drops may lose its difference in the
    // rounding of the drops; its bound then reaches the whole difference.
    bool CertainlyNotZero(int segment) const { return lossBound_[segment] < 1; }
    // After BoundErrors: relative bounds of the solved |DP| and |G| against the forecast.
    double LossBound(int segment) const { return lossBound_[segment]; }
    double FlowBound(int segment) const { return flowBound_[segment]; }
    double Flow(int segment) const { return flow_[node_[segment]]; }

private:
    // Relative error bounds of the pressure differences of one solution.
    // `deviation`: relative deviation of each segment's linearised resistance
    // from S·G (the second solution only).
    bool BoundSolution(bool linearised, const std::vector<double>& deviation,
                       const std::vector<int>& smallest, const std::vector<int>& largest,
                       std::vector<double>& relative);

    static double FlowBound(double pressureBound, double roundoff);
    double BandSum(const std::vector<double>& sums, std::size_t end, int band) const;

    int order_ = 0;                     // M
    std::vector<int> parent_;           // by node index 1..M; 0 for the source
    std::vector<int> edge_;             // segment leading to the node
    std::vector<int> node_;             // by segment: the node beyond it
    std::vector<int> band_;             // profile band of the node's row
    std::vector<int> childStart_, children_;  // children_[childStart_[k]..childStart_[k+1])
    std::vector<int> subtreeSize_;      // nodes beyond and including the node
    std::vector<double> flow_;          // |t/h| through the segment leading to the node
    // Sum of |demand| beyond and at the node: the flow if every secondary source
    // were a consumer. Its drops bound |x| from above (section "secondary
    // sources" of docs/sizing-error-bound.md).
    std::vector<double> absoluteFlow_;
    std::vector<double> topFlow_;       // flow of the source segment above the node
    std::vector<double> demand_;        // |demand|
    std::vector<double> factorGamma_;   // per row: elimination and substitutions
    std::vector<double> assemblyGamma_; // per row: forming the coefficients
    std::vector<double> length_;        // by segment: Lj
    std::vector<double> coefficient_;   // A by size index
    std::vector<double> flowRoundoff_;  // relative error of the summed flows
    double sumsGamma_ = 0;              // running sums: their error, and that of a difference of two

    std::vector<double> lossBound_;     // by segment: relative bound of |DP|
    std::vector<double> flowBound_;     // by segment: relative bound of the final |G|

    // Work arrays of BoundSolution.
    std::vector<double> resistance_, conductance_, diagonal_, prefix_, drop_, pathResistance_,
        rowBound_, nodeError_, levelSmallSums_, dropLargeSums_, leastBranch_, secondBranch_, reach_;
    std::vector<int> levelLargeCounts_, dropLargeCounts_;
};

}  // namespace heatnet
