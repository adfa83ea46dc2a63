#include "hydraulics/tree_forecast.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "hydraulics/sizing_rules.h"

namespace heatnet {
namespace {

constexpr double kUnitRoundoff = std::numeric_limits<double>::epsilon() / 2;
constexpr double kNoBranch = std::numeric_limits<double>::infinity();
// Covers what the first-order analysis leaves out. The factors the bound reasons
// about are those of the matrix as rounded, and the pressures those as solved;
// with every node's drop known to within kLargestUsefulBound both lie within
// 5 % of the exact ones, so the neglected terms add at most about a tenth to
// the bound.
constexpr double kSafety = 1.5;
// Diagonal sizes at which the coupling bound splits the rows of a band.
constexpr int kLevels = 8;
constexpr double kLevelThresholds[kLevels] = {1e-12, 1e-10, 1e-8, 1e-6, 1e-4, 1e-2, 1, 1e2};
// Pressure drops (Pa) at which the coupling bound splits the rows of a band.
constexpr int kDropLevels = 6;
constexpr double kDropThresholds[kDropLevels] = {1e4, 1e6, 1e8, 1e10, 1e12, 1e14};
// Node drops whose bound exceeds this share of the drop make the first-order
// analysis itself doubtful; such passes are solved.
constexpr double kLargestUsefulBound = 0.05;
// The first solution's flows are the second one's resistances: beyond this
// relative bound a resistance might approach zero.
constexpr double kWidestFirstFlowBound = 0.5;
// Flows summed with cancellation (secondary sources) beyond this relative error
// would make the forecast value itself too uncertain to compare.
constexpr double kWidestSumBound = 0.01;
// Resistances outside this range would leave the double range in a conductance
// or a product along a path; no bound is made then.
constexpr double kSmallestResistance = 1e-280;
constexpr double kLargestResistance = 1e280;

// gamma_n = n u / (1 - n u), for the n roundings that meet in one quantity.
double Gamma(double roundings) {
    return roundings * kUnitRoundoff / (1 - roundings * kUnitRoundoff);
}

}  // namespace

std::optional<TreeForecast> TreeForecast::For(const NetworkModel& model,
                                              const StandardPipeTable& table) {
    const int order = model.M();
    const int count = model.SegmentCount();
    if (order < 1 || count != order) return std::nullopt;
    const int source = model.sourceIndex;

    TreeForecast forecast;
    forecast.order_ = order;
    forecast.parent_.assign(order + 1, -1);
    forecast.edge_.assign(order + 1, -1);
    forecast.node_.assign(count, 0);
    std::vector<int> degree(order + 1, 0);
    // The numbering gives every segment's nearer end the smaller index, the
    // source (M + 1) aside; that is what makes the ends' roles and the fill of
    // the elimination known.
    for (int s = 0; s < count; ++s) {
        const NetworkSegment& segment = model.segments[s];
        const int far = segment.indexI == source ? segment.indexJ : segment.indexI;
        const int near = segment.indexI == source ? 0 : segment.indexJ;
        if (far < 1 || far > order || near >= far || forecast.edge_[far] != -1) return std::nullopt;
        forecast.parent_[far] = near;
        forecast.edge_[far] = s;
        forecast.node_[s] = far;
        ++degree[far];
        if (near > 0) ++degree[near];
        if (!(segment.calculationLength > 0) || !std::isfinite(segment.calculationLength))
            return std::nullopt;
    }
    for (int k = 1; k <= order; ++k)
        if (forecast.edge_[k] == -1) return std::nullopt;

    forecast.coefficient_.assign(StandardPipeTable::kSizes + 1, 0);
    for (int size = 1; size <= StandardPipeTable::kSizes; ++size) {
        forecast.coefficient_[size] = table.Coefficient(size);
        if (!(forecast.coefficient_[size] > 0) || !std::isfinite(forecast.coefficient_[size]))
            return std::nullopt;
        // Larger sizes must never add resistance, or the range bound fails.
        if (size > 1 && forecast.coefficient_[size] > forecast.coefficient_[size - 1])
            return std::nullopt;
    }

    // Signed flows summed from the leaves, and the sums of the magnitudes of the
    // same demands, which bound the rounding of a sum with cancellation.
    forecast.demand_.assign(order + 1, 0);
    std::vector<double> signedFlow(order + 1, 0), magnitudeSum(order + 1, 0);
    for (int k = 1; k <= order; ++k) {
        const double demand = model.nodes[k].demand;
        if (!std::isfinite(demand)) return std::nullopt;
        forecast.demand_[k] = std::fabs(demand);
        signedFlow[k] = demand;
        magnitudeSum[k] = std::fabs(demand);
    }
    forecast.flow_.assign(order + 1, 0);
    forecast.flowRoundoff_.assign(order + 1, 0);
    for (int k = order; k >= 1; --k) {
        if (!(signedFlow[k] != 0) || !std::isfinite(magnitudeSum[k])) return std::nullopt;
        forecast.flow_[k] = std::fabs(signedFlow[k]);
        forecast.flowRoundoff_[k] = Gamma(order + 1) * (magnitudeSum[k] / forecast.flow_[k]);
        if (!(forecast.flowRoundoff_[k] < kWidestSumBound)) return std::nullopt;
        if (forecast.parent_[k] > 0) {
            signedFlow[forecast.parent_[k]] += signedFlow[k];
            magnitudeSum[forecast.parent_[k]] += magnitudeSum[k];
        }
    }
    forecast.absoluteFlow_ = std::move(magnitudeSum);
    // Where no segment carries 1 t/h the first solution settles and the losses
    // are S·G/Lj, not S·G²/Lj: nothing can be foreseen, and a plan would only miss.
    if (!(*std::max_element(forecast.flow_.begin() + 1, forecast.flow_.end()) >= 1)) return std::nullopt;
    forecast.sumsGamma_ = 3 * Gamma(order + 2);
    forecast.childStart_.assign(order + 2, 0);
    for (int k = 1; k <= order; ++k) ++forecast.childStart_[forecast.parent_[k] + 1];
    for (int k = 1; k <= order + 1; ++k) forecast.childStart_[k] += forecast.childStart_[k - 1];
    forecast.children_.assign(order, 0);
    std::vector<int> filled(forecast.childStart_.begin(), forecast.childStart_.end() - 1);
    for (int k = 1; k <= order; ++k) forecast.children_[filled[forecast.parent_[k]]++] = k;
    forecast.subtreeSize_.assign(order + 1, 1);
    for (int k = order; k >= 1; --k)
        if (forecast.parent_[k] > 0) forecast.subtreeSize_[forecast.parent_[k]] += forecast.subtreeSize_[k];
    forecast.topFlow_.assign(order + 1, 0);
    for (int k = 1; k <= order; ++k)
        forecast.topFlow_[k] =
            forecast.parent_[k] == 0 ? forecast.absoluteFlow_[k] : forecast.topFlow_[forecast.parent_[k]];

    // Row k of the profile spans the columns parent(k)..k; the elimination fills
    // it in, and column j is met by every row whose span covers it.
    forecast.band_.assign(order + 1, 0);
    std::vector<int> coverage(order + 2, 0);
    for (int k = 1; k <= order; ++k) {
        const int near = forecast.parent_[k];
        if (near == 0) continue;
        forecast.band_[k] = k - near;
        ++coverage[near];
        --coverage[k];
    }
    std::vector<int> columnTerms(order + 1, 0);
    for (int j = 1, running = 0; j <= order; ++j) columnTerms[j] = running += coverage[j];
    forecast.factorGamma_.assign(order + 1, 0);
    forecast.assemblyGamma_.assign(order + 1, 0);
    for (int k = 1; k <= order; ++k) {
        int columnMost = columnTerms[k];
        for (int j = k - forecast.band_[k]; j < k; ++j) columnMost = std::max(columnMost, columnTerms[j]);
        // Elimination and forward substitution: at most band + 1 terms per
        // coefficient of row k; back substitution: the most terms of a column the
        // row reaches; a few more for the products of the three perturbations.
        forecast.factorGamma_[k] = Gamma(2.0 * (forecast.band_[k] + 1) + columnMost + 4);
        forecast.assemblyGamma_[k] = Gamma(2.0 * degree[k] + 2);
    }

    forecast.length_.assign(count, 0);
    for (int s = 0; s < count; ++s) forecast.length_[s] = model.segments[s].calculationLength;
    return forecast;
}

double TreeForecast::SpecificLoss(int segment, int size) const {
    // The flow factor as the solution forms it.
    const double factor = length_[segment] * coefficient_[size];
    const double flow = flow_[node_[segment]];
    return factor * flow * flow / length_[segment];
}

int TreeForecast::ForeseenStep(int segment, int size, double zoneLimit) const {
    return EnlargementStep(SpecificLoss(segment, size), zoneLimit);
}

// The sum of the `band` terms up to `end` of running sums of non-negative
// terms, from the difference of two running sums. Each running sum carries a
// rounding error of at most gamma_n of itself, and the band's share may be far
// smaller than the sum before it, so that error is added.
double TreeForecast::BandSum(const std::vector<double>& sums, std::size_t end, int band) const {
    return sums[end] - sums[end - band] + sumsGamma_ * sums[end];
}

bool TreeForecast::BoundSolution(bool linearised, const std::vector<double>& deviation,
                                 const std::vector<int>& smallest, const std::vector<int>& largest,
                                 std::vector<double>& relative) {
    const int order = order_;
    resistance_.assign(order + 1, 0);
    conductance_.assign(order + 1, 0);
    diagonal_.assign(order + 1, 0);
    for (int k = 1; k <= order; ++k) {
        const int s = edge_[k];
        // The second solution's resistances are S·|G1| with G1 as solved, which
        // may deviate from G by the first solution's error.
        const double scale = linearised ? flow_[k] : 1.0;
        const double spread = linearised ? deviation[s] : 0.0;
        resistance_[k] = length_[s] * coefficient_[smallest[s]] * scale * (1 + spread);
        const double leastResistance = length_[s] * coefficient_[largest[s]] * scale * (1 - spread);
        if (!(leastResistance > kSmallestResistance) || !(resistance_[k] < kLargestResistance))
            return false;
        conductance_[k] = 1 / leastResistance;
        diagonal_[k] += conductance_[k];
        if (parent_[k] > 0) diagonal_[parent_[k]] += conductance_[k];
    }
    prefix_.assign(order + 1, 0);
    // Per level of diagonal size: running sums of the diagonals below the level
    // and counts of those at or above it.
    levelSmallSums_.assign(kLevels * (order + 1), 0);
    levelLargeCounts_.assign(kLevels * (order + 1), 0);
    drop_.assign(order + 1, 0);
    pathResistance_.assign(order + 1, 0);
    // Per level of pressure drop: running sums and counts of the diagonals of
    // the nodes whose drop lies above it.
    dropLargeSums_.assign(kDropLevels * (order + 1), 0);
    dropLargeCounts_.assign(kDropLevels * (order + 1), 0);
    double largestDrop = 0;
    for (int k = 1; k <= order; ++k) {
        prefix_[k] = prefix_[k - 1] + diagonal_[k];
        for (int level = 0; level < kLevels; ++level) {
            const std::size_t at = level * (order + 1) + k;
            const bool large = diagonal_[k] >= kLevelThresholds[level];
            levelSmallSums_[at] = levelSmallSums_[at - 1] + (large ? 0 : diagonal_[k]);
            levelLargeCounts_[at] = levelLargeCounts_[at - 1] + (large ? 1 : 0);
        }
        const int near = parent_[k];
        drop_[k] = drop_[near] + resistance_[k] * absoluteFlow_[k];
        pathResistance_[k] = pathResistance_[near] + resistance_[k];
        largestDrop = std::max(largestDrop, drop_[k]);
        for (int level = 0; level < kDropLevels; ++level) {
            const std::size_t at = level * (order + 1) + k;
            const bool large = drop_[k] > kDropThresholds[level];
            dropLargeSums_[at] = dropLargeSums_[at - 1] + (large ? diagonal_[k] : 0);
            dropLargeCounts_[at] = dropLargeCounts_[at - 1] + (large ? 1 : 0);
        }
    }
    // The two least resistances among each node's outgoing segments.
    leastBranch_.assign(order + 1, kNoBranch);
    secondBranch_.assign(order + 1, kNoBranch);
    for (int k = 1; k <= order; ++k) {
        const int near = parent_[k];
        const double least = 1 / conductance_[k];
        if (least < leastBranch_[near]) {
            secondBranch_[near] = leastBranch_[near];
            leastBranch_[near] = least;
        } else if (least < secondBranch_[near]) {
            secondBranch_[near] = least;
        }
    }
    // reach_[c]: the sum over the nodes beyond c's segment of the inverse of their
    // path resistance from c's parent, bounded from the children's sums.
    reach_.assign(order + 1, 0);
    for (int k = order; k >= 1; --k) {
        reach_[k] += conductance_[k];
        const int near = parent_[k];
        if (near > 0)
            reach_[near] += std::min(subtreeSize_[k] * conductance_[near], reach_[k]);
    }
    rowBound_.assign(order + 1, 0);
    for (int k = 1; k <= order; ++k) {
        const double a = diagonal_[k];
        const double g = conductance_[k];
        const double x = drop_[k];
        const int band = band_[k];
        // The pivot stays positive: it is at least 1/(path resistance) and the
        // elimination moves it by at most gamma · 2a.
        if (factorGamma_[k] * 2 * a * pathResistance_[k] >= 0.25) return false;
        const double bandDiagonals = band > 0 ? BandSum(prefix_, k - 1, band) : 0;
        // sum_i |u_ik| over the band. The parent's term is at most g (the
        // transfer conductance through the segment into k); any other term at
        // most the inverse of the tree path's resistance between i and k, which
        // leaves the parent by another of its segments or by the one above it.
        // And sum_i u_ik^2/d_i = a_kk - d_k <= g (d_k is at least the conductance
        // of the segments beyond k), so rows with small diagonals enter through
        // Cauchy-Schwarz and the others count their cap each.
        const int near = parent_[k];
        double cap = 0, besideParent = 0, aboveParent = 0;
        if (band > 0) {
            const double own = 1 / g;
            const double otherBranch =
                own == leastBranch_[near] ? secondBranch_[near] : leastBranch_[near];
            besideParent = std::min(g, 1 / (own + otherBranch));
            aboveParent = std::min(g, conductance_[near] / (1 + own * conductance_[near]));
            cap = std::max(besideParent, aboveParent);
        }
        double pivotCoupling = std::min(std::sqrt(g * bandDiagonals), g + (band - 1) * cap);
        for (int level = 0; level < kLevels && band > 0; ++level) {
            const std::size_t at = level * (order + 1);
            const double smallSum = BandSum(levelSmallSums_, at + k - 1, band);
            const double largeCount = levelLargeCounts_[at + k - 1] - levelLargeCounts_[at + k - band - 1];
            const double counted = g + largeCount * cap;
            if (counted >= pivotCoupling) continue;
            pivotCoupling = std::min(pivotCoupling, counted + std::sqrt(g * smallSum));
        }
        // sum_i |u_ik| x_lca(i,k): the common ancestor's drop is at most the
        // smaller of x_i and x_k, so rows of the band with a small drop count with
        // that drop, the others with x_k; or, by ancestors, the parent's drop with
        // the caps beside it and the grandparent's with the cap above it.
        double coupledDrop = x * pivotCoupling;
        for (int level = 0; level < kDropLevels && band > 0; ++level) {
            const double threshold = kDropThresholds[level];
            if (threshold >= x || threshold * pivotCoupling >= coupledDrop) break;
            const std::size_t at = level * (order + 1);
            const double largeSum = BandSum(dropLargeSums_, at + k - 1, band);
            const double largeCount = dropLargeCounts_[at + k - 1] - dropLargeCounts_[at + k - band - 1];
            const double largeCoupling =
                std::min({pivotCoupling, g + largeCount * cap, std::sqrt(g * largeSum)});
            coupledDrop = std::min(coupledDrop, threshold * pivotCoupling + x * largeCoupling);
        }
        if (band > 0) {
            // Beside the parent, child by child: at most the child's subtree lies
            // in the band, each node behind that child's segment.
            double beside = 0;
            for (int c = childStart_[near]; c < childStart_[near + 1]; ++c) {
                const int child = children_[c];
                if (child == k) continue;
                beside += std::min(std::min(subtreeSize_[child], band) *
                                       std::min(g, 1 / (1 / g + 1 / conductance_[child])),
                                   reach_[child]);
            }
            coupledDrop = std::min(
                coupledDrop, g * drop_[near] +
                                 std::min((band - 1) * besideParent, beside) * drop_[near] +
                                 (band - 1) * aboveParent * drop_[parent_[near]]);
        }
        const double transfer = band * std::min(topFlow_[k], g * largestDrop);
        rowBound_[k] = factorGamma_[k] * (2 * a * x + 2 * coupledDrop + 2 * transfer + demand_[k]) +
                       assemblyGamma_[k] * (2 * a * x + absoluteFlow_[k]);
    }
    for (int k = order; k >= 1; --k)
        if (parent_[k] > 0) rowBound_[parent_[k]] += rowBound_[k];
    // A segment's bound may be wide (a trickle beside large drops); what the
    // first-order analysis needs is that every node's drop, the sum of the
    // segments' pressure differences along its path, is close to the exact one.
    relative.assign(node_.size(), 0);
    nodeError_.assign(order + 1, 0);
    for (int k = 1; k <= order; ++k) {
        const int s = edge_[k];
        relative[s] = kSafety * rowBound_[k] / flow_[k];
        nodeError_[k] = nodeError_[parent_[k]] + relative[s] * resistance_[k] * flow_[k];
        if (!(nodeError_[k] <= kLargestUsefulBound * drop_[k])) return false;
    }
    return true;
}

// A solved flow |DP|/R against both the exact flow and the summed one, from the
// relative bound of DP: the bound, the division and the formation of R, and
// the summation's error either way; no term is assumed small.
double TreeForecast::FlowBound(double pressureBound, double roundoff) {
    return (1 + pressureBound) * (1 + 4 * kUnitRoundoff) * (1 + roundoff) / (1 - roundoff) - 1;
}

bool TreeForecast::BoundErrors(const std::vector<int>& smallest, const std::vector<int>& largest) {
    const std::size_t count = node_.size();
    std::vector<double> first, second, firstFlows(count);
    if (!BoundSolution(false, firstFlows, smallest, largest, first)) return false;
    // G of the first solution: its pressure difference over S, two roundings;
    // the resistance S·|G1| of the second one more.
    for (std::size_t s = 0; s < count; ++s) {
        firstFlows[s] = FlowBound(first[s], flowRoundoff_[node_[s]]);
        // The second solution's resistances must stay within a factor of two of S·|G|.
        if (!(firstFlows[s] <= kWidestFirstFlowBound)) return false;
    }
    std::vector<double> deviations(count);
    for (std::size_t s = 0; s < count; ++s) deviations[s] = (1 + firstFlows[s]) * (1 + kUnitRoundoff) - 1;
    if (!BoundSolution(true, deviations, smallest, largest, second)) return false;
    lossBound_.assign(count, 0);
    flowBound_.assign(count, 0);
    bool unsettledAfterFirst = false;
    for (std::size_t s = 0; s < count; ++s) {
        const double flow = flow_[node_[s]];
        const double firstFlow = firstFlows[s];
        // G of the second: the exact solution for the resistances |G1|·S is G itself.
        const double roundoff = flowRoundoff_[node_[s]];
        const double secondFlow = FlowBound(second[s], roundoff);
        flowBound_[s] = secondFlow;
        // DP = (S|G1|(1+u)·G ± E2)/Lj against the forecast S·G·G/Lj, whose G
        // carries the summation's error twice; no term is assumed small.
        lossBound_[s] = (1 + firstFlow) * (1 + secondFlow) * (1 + 8 * kUnitRoundoff) /
                            ((1 - roundoff) * (1 - roundoff)) -
                        1;
        // Against the exact flow, which lies within the summation's error of `flow`.
        if (flow * (1 - roundoff) * (1 - firstFlow) >= 1) unsettledAfterFirst = true;
        // The second solution must settle: |G2 - G1| < 1 t/h everywhere.
        if (!(flow / (1 - roundoff) * (firstFlow + secondFlow) < 1)) return false;
    }
    return unsettledAfterFirst;
}

std::optional<int> TreeForecast::CertainStep(int segment, int size, double zoneLimit) const {
    const double loss = SpecificLoss(segment, size);
    const double low = loss * (1 - lossBound_[segment]);
    const double high = loss * (1 + lossBound_[segment]);
    int step = 0;
    for (const auto& [limit, sizes] :
         {std::pair{kFirstLimit, 3}, std::pair{kSecondLimit, 2}, std::pair{zoneLimit, 1}}) {
        if (low > limit) {
            step = sizes;
            break;
        }
        if (!(high <= limit)) return std::nullopt;
    }
    return step;
}

std::optional<bool> TreeForecast::CertainSmallFlow(int segment) const {
    const double flow = flow_[node_[segment]];
    if (flow * (1 + flowBound_[segment]) < kSmallFlow) return true;
    if (flow * (1 - flowBound_[segment]) >= kSmallFlow) return false;
    return std::nullopt;
}

}  // namespace heatnet
