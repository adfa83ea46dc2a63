#include "hydraulics/profile_elimination.h"

namespace heatnet {
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
// substitution, is settled by redoing that row in full). A row's band reaches
// every column from its first to the diagonal, so a row outside one column's
// band has been outside every earlier one and its multiplier is still zero.
int EliminateProfile(ProfileMatrix& matrix, std::vector<double>& rhs, std::vector<double>& multiplier) {
    const int order = matrix.Order();
    multiplier.assign(order + 1, 0.0);

    for (int r = 1; r <= order; ++r) {
        const double pivot = matrix.At(r, r);
        if (pivot == 0) return r;
        rhs[r] = rhs[r] / pivot;
        const std::vector<int>& rows = matrix.RowsReaching(r);
        for (const int s : rows) {
            const double a = matrix.At(s, r);
            multiplier[s] = a;
            if (a == 0) continue;
            multiplier[s] = a / pivot;
            SubtractScaled(&matrix.At(s, r + 1), &multiplier[r + 1], s - r, a);
            rhs[s] -= a * rhs[r];
            matrix.At(s, r) = multiplier[s];
        }
        matrix.At(r, r) = 1;
    }
    for (int r = order - 1; r >= 1; --r) {
        double value = rhs[r];
        for (const int s : matrix.RowsReaching(r)) value -= matrix.At(s, r) * rhs[s];
        if (value == 0) {
            value = rhs[r];
            for (int s = r + 1; s <= order; ++s) {
                const double m = matrix.InBand(s, r) ? matrix.At(s, r) : 0.0;
                value -= m * rhs[s];
            }
        }
        rhs[r] = value;
    }
    return 0;
}

}  // namespace heatnet
