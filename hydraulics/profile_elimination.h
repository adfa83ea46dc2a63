#pragma once

#include <vector>

#include "hydraulics/profile_matrix.h"

namespace heatnet {

// Solves the profile system in place by Gaussian elimination without pivoting:
// the matrix receives the multipliers, rhs (rows 1..M) the solution. Returns 0,
// or the row whose pivot is zero (then nothing after it has been done).
// `multiplier` is work space.
int EliminateProfile(ProfileMatrix& matrix, std::vector<double>& rhs, std::vector<double>& multiplier);

// Returned by EliminateSparse when it met an infinite or NaN coefficient: the
// matrix and rhs are then spoilt and the system must be solved by
// EliminateProfile from the start.
inline constexpr int kNotFiniteCoefficient = -1;

// The same bits as EliminateProfile, for a matrix without negative zeros (as
// assembled from conductances), doing only the products whose multiplier can be
// non-zero: those of matrix.FactorRows.
int EliminateSparse(ProfileMatrix& matrix, std::vector<double>& rhs, std::vector<int>& rowWork,
                    std::vector<double>& multiplierWork);

}  // namespace heatnet
