#include "hydraulics/profile_matrix.h"

#include <algorithm>

namespace heatnet {

void ProfileMatrix::Layout(const NetworkModel& model) {
    const int order = model.M();
    std::vector<int> bands(order + 1, 0);
    for (const NetworkSegment& segment : model.segments)
        if (segment.indexI <= order)
            bands[segment.indexI] = std::max(bands[segment.indexI], segment.indexI - segment.indexJ);
    Layout(bands);
}

void ProfileMatrix::Layout(const std::vector<int>& bands) {
    const int order = static_cast<int>(bands.size()) - 1;
    band_ = bands;
    band_.push_back(0);
    position_.assign(order + 1, 0);
    for (int row = 1; row <= order; ++row) position_[row] = position_[row - 1] + band_[row] + 1;
    rowsReaching_.assign(order + 1, {});
    if (Size() > kMaxCoefficients) return;  // refused before anything is solved
    for (int row = 1; row <= order; ++row)
        for (int column = row - band_[row]; column < row; ++column) rowsReaching_[column].push_back(row);
}

void ProfileMatrix::Clear() { values_.assign(Size() + 1, 0.0); }

}  // namespace heatnet
