#include "hydraulics/profile_elimination.h"

#include <cmath>

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

// Back substitution over the rows `rowsOf(r)` holds below each diagonal, which
// include every non-zero multiplier. The terms left out are zero times a later
// unknown: zeros, which can only change the sign of a zero result, while the
// unknown is finite. A zero result, and every row once an unknown is infinite
// or NaN (whose product with zero is NaN), is done with every term as written.
template <typename RowsOf>
void SubstituteBack(ProfileMatrix& matrix, std::vector<double>& rhs, RowsOf rowsOf) {
    const int order = matrix.Order();
    bool laterFinite = true;
    for (int r = order - 1; r >= 1; --r) {
        laterFinite = laterFinite && std::isfinite(rhs[r + 1]);
        double value = rhs[r];
        for (const int s : rowsOf(r)) value -= matrix.At(s, r) * rhs[s];
        if (value == 0 || !laterFinite) {
            value = rhs[r];
            for (int s = r + 1; s <= order; ++s) {
                const double m = matrix.InBand(s, r) ? matrix.At(s, r) : 0.0;
                value -= m * rhs[s];
            }
        }
        rhs[r] = value;
    }
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
    SubstituteBack(matrix, rhs, [&](int r) -> const std::vector<int>& { return matrix.RowsReaching(r); });
    return 0;
}

// Why leaving out the products with a zero multiplier keeps every bit. Such a
// product is a zero, and x - 0 is x, except that -0 - (-0) is +0. The assembled
// matrix has no -0 (it starts from +0 and adds or subtracts conductances), and
// no -0 can arise: x - p rounds to -0 only when x is -0, since an exact
// cancellation gives +0. What does break the rule is an infinite or NaN
// coefficient, whose product with a zero is NaN; then the caller starts again
// with the elimination of every row of the band.
int EliminateSparse(ProfileMatrix& matrix, std::vector<double>& rhs, std::vector<int>& rowWork,
                    std::vector<double>& multiplierWork) {
    const int order = matrix.Order();
    double* values = matrix.Values();
    rowWork.resize(order + 1);
    multiplierWork.resize(order + 1);
    int* rows = rowWork.data();
    double* multipliers = multiplierWork.data();

    for (int r = 1; r <= order; ++r) {
        const double pivot = matrix.At(r, r);
        if (pivot == 0) return r;
        rhs[r] = rhs[r] / pivot;
        int count = 0;  // rows of this column with a non-zero multiplier so far
        for (const int s : matrix.FactorRows(r)) {
            const long origin = matrix.RowOrigin(s);
            const double a = values[origin + r];
            if (!std::isfinite(a)) return kNotFiniteCoefficient;
            if (a == 0) continue;
            rows[count] = s;
            multipliers[count] = a / pivot;
            ++count;
            // Row s gets the products of every non-zero multiplier up to its own.
            for (int t = 0; t < count; ++t) values[origin + rows[t]] -= multipliers[t] * a;
            rhs[s] -= a * rhs[r];
            values[origin + r] = multipliers[count - 1];
        }
        matrix.At(r, r) = 1;
    }
    SubstituteBack(matrix, rhs, [&](int r) -> const std::vector<int>& { return matrix.FactorRows(r); });
    return 0;
}

}  // namespace heatnet
