#pragma once

#include <utility>
#include <vector>

#include "hydraulics/network_model.h"

namespace heatnet {

// The symmetric nodal matrix over internal indices 1..M, stored as its lower
// triangle row by row from each row's first non-zero column to the diagonal.
class ProfileMatrix {
public:
    static constexpr long kMaxCoefficients = 2'000'000;

    // Computes band and pos from the numbering of the segments.
    void Layout(const NetworkModel& model);
    // The same from the coefficients below the diagonal that may be non-zero,
    // as (row, column) pairs with 1 <= column < row <= order.
    void Layout(int order, const std::vector<std::pair<int, int>>& belowDiagonal);

    long Size() const { return position_.empty() ? 0 : position_.back(); }
    int Order() const { return static_cast<int>(position_.size()) - 1; }
    int Band(int row) const { return band_[row]; }
    long DiagonalPosition(int row) const { return position_[row]; }
    bool InBand(int row, int column) const { return row - column <= band_[row]; }
    // The rows below `column` whose band reaches it, in ascending order: the only
    // rows an elimination step on that column can change.
    const std::vector<int>& RowsReaching(int column) const { return rowsReaching_[column]; }
    // Those of them whose coefficient in `column` can be non-zero when the
    // elimination reaches it, in ascending order: the coefficients laid out
    // plus the fill of the columns before.
    const std::vector<int>& FactorRows(int column) const { return factorRows_[column]; }

    void Clear();
    // Coefficient (row, column), column <= row, inside the row's band.
    double& At(int row, int column) { return values_[position_[row] - (row - column)]; }
    // Where row `row` would hold column 0: coefficient (row, column) is at
    // Values()[RowOrigin(row) + column].
    long RowOrigin(int row) const { return position_[row] - row; }
    double* Values() { return values_.data(); }

private:
    void FindFill(const std::vector<std::pair<int, int>>& belowDiagonal);

    std::vector<int> band_;       // 1..M
    std::vector<long> position_;  // 0..M, position_[0] = 0
    std::vector<double> values_;  // 1-based
    std::vector<std::vector<int>> rowsReaching_;
    std::vector<std::vector<int>> factorRows_;
};

}  // namespace heatnet
