#include "hydraulics/profile_matrix.h"

#include <algorithm>

namespace heatnet {

void ProfileMatrix::Layout(const NetworkModel& model) {
    std::vector<std::pair<int, int>> belowDiagonal;
    for (const NetworkSegment& segment : model.segments)
        if (segment.indexI <= model.M()) belowDiagonal.emplace_back(segment.indexI, segment.indexJ);
    Layout(model.M(), belowDiagonal);
}

void ProfileMatrix::Layout(int order, const std::vector<std::pair<int, int>>& belowDiagonal) {
    band_.assign(order + 1, 0);
    for (const auto& [row, column] : belowDiagonal) band_[row] = std::max(band_[row], row - column);
    band_.push_back(0);
    position_.assign(order + 1, 0);
    for (int row = 1; row <= order; ++row) position_[row] = position_[row - 1] + band_[row] + 1;
    rowsReaching_.assign(order + 1, {});
    factorRows_.assign(order + 1, {});
    if (Size() > kMaxCoefficients) return;  // refused before anything is solved
    for (int row = 1; row <= order; ++row)
        for (int column = row - band_[row]; column < row; ++column) rowsReaching_[column].push_back(row);
    FindFill(belowDiagonal);
}

// The rows of each column of the factor, column by column: those the matrix has
// and those of every earlier column c whose first row below c is this column
// (eliminating c joins all rows of c's column to each other, and the first of
// them carries the rest on).
void ProfileMatrix::FindFill(const std::vector<std::pair<int, int>>& belowDiagonal) {
    const int order = Order();
    for (const auto& [row, column] : belowDiagonal) factorRows_[column].push_back(row);
    std::vector<std::vector<int>> passedOn(order + 1);
    std::vector<int> seenIn(order + 2, 0);
    for (int column = 1; column <= order; ++column) {
        std::vector<int>& rows = factorRows_[column];
        for (const int earlier : passedOn[column])
            for (const int row : factorRows_[earlier])
                if (row > column) rows.push_back(row);
        std::vector<int> distinct;
        for (const int row : rows)
            if (seenIn[row] != column) {
                seenIn[row] = column;
                distinct.push_back(row);
            }
        std::sort(distinct.begin(), distinct.end());
        rows = std::move(distinct);
        if (!rows.empty()) passedOn[rows.front()].push_back(column);
    }
}

void ProfileMatrix::Clear() { values_.assign(Size() + 1, 0.0); }

}  // namespace heatnet
