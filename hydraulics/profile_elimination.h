#pragma once

#include <vector>

#include "hydraulics/profile_matrix.h"

namespace heatnet {

// Solves the profile system in place by Gaussian elimination without pivoting:
// the matrix receives the multipliers, rhs (rows 1..M) the solution. Returns 0,
// or the row whose pivot is zero (then nothing after it has been done).
// `multiplier` is work space.
int EliminateProfile(ProfileMatrix& matrix, std::vector<double>& rhs, std::vector<double>& multiplier);

}  // namespace heatnet
