#pragma once

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
    // The same from the band of every row: bands[row] for rows 1..M, bands[0] unused.
    void Layout(const std::vector<int>& bands);

    long Size() const { return position_.empty() ? 0 : position_.back(); }
    int Order() const { return static_cast<int>(position_.size()) - 1; }
    int Band(int row) const { return band_[row]; }
    long DiagonalPosition(int row) const { return position_[row]; }
    bool InBand(int row, int column) const { return row - column <= band_[row]; }
    // The rows below `column` whose band reaches it, in ascending order: the only
    // rows an elimination step on that column can change.
    const std::vector<int>& RowsReaching(int column) const { return rowsReaching_[column]; }

    void Clear();
    // Coefficient (row, column), column <= row, inside the row's band.
    double& At(int row, int column) { return values_[position_[row] - (row - column)]; }

private:
    std::vector<int> band_;       // 1..M
    std::vector<long> position_;  // 0..M, position_[0] = 0
    std::vector<double> values_;  // 1-based
    std::vector<std::vector<int>> rowsReaching_;
};

}  // namespace heatnet
