// The eliminations against the procedure as written, loop for loop, on matrices
// made to hit their corners: exact zeros inside the band, zero pivots, rows with
// empty bands, right-hand sides that cancel to zero, infinite coefficients.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <random>
#include <vector>

#include "hydraulics/profile_elimination.h"
#include "hydraulics/profile_matrix.h"

namespace heatnet {
namespace {

// Every step as written: each row below the pivot, each column of the row.
int EliminateAsWritten(ProfileMatrix& matrix, std::vector<double>& rhs) {
    const int order = matrix.Order();
    std::vector<double> multiplier(order + 1, 0.0);
    for (int r = 1; r <= order; ++r) {
        const double pivot = matrix.At(r, r);
        if (pivot == 0) return r;
        rhs[r] = rhs[r] / pivot;
        for (int s = r + 1; s <= order; ++s) {
            if (!matrix.InBand(s, r)) {
                multiplier[s] = 0;
                continue;
            }
            const double a = matrix.At(s, r);
            multiplier[s] = a;
            if (a == 0) continue;
            multiplier[s] = a / pivot;
            for (int t = r + 1; t <= s; ++t) matrix.At(s, t) -= multiplier[t] * a;
            rhs[s] -= a * rhs[r];
            matrix.At(s, r) = multiplier[s];
        }
        matrix.At(r, r) = 1;
    }
    for (int r = order - 1; r >= 1; --r)
        for (int s = r + 1; s <= order; ++s) {
            const double m = matrix.InBand(s, r) ? matrix.At(s, r) : 0.0;
            rhs[r] -= m * rhs[s];
        }
    return 0;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct System {
    ProfileMatrix matrix;
    std::vector<double> rhs;
};

// What the solver may meet: -0 only where the test says so, and now and then an
// infinite coefficient, which the sparse elimination hands back.
System MakeSystem(std::mt19937& engine, int order, bool negativeZeros) {
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::pair<int, int>> belowDiagonal;
    for (int row = 2; row <= order; ++row) {
        if (percent(engine) < 20) continue;
        const int entries = std::uniform_int_distribution<int>(1, 3)(engine);
        for (int e = 0; e < entries; ++e)
            belowDiagonal.emplace_back(row, std::uniform_int_distribution<int>(1, row - 1)(engine));
    }
    System system;
    system.matrix.Layout(order, belowDiagonal);
    system.matrix.Clear();
    const auto value = [&]() {
        const int kind = percent(engine);
        if (kind < 10) return 0.0;
        if (kind < 15) return negativeZeros ? -0.0 : 0.0;
        if (kind < 20) return 1.0;  // repeated values make exact cancellations
        if (kind == 20 && percent(engine) < 5) return -std::numeric_limits<double>::infinity();
        return (kind % 2 ? -1 : 1) * unit(engine) * std::pow(10.0, std::uniform_int_distribution<int>(-8, 8)(engine));
    };
    for (const auto& [row, column] : belowDiagonal) system.matrix.At(row, column) = value();
    for (int row = 1; row <= order; ++row)
        system.matrix.At(row, row) = percent(engine) < 3 ? 0.0 : 1e9 * (1 + unit(engine));
    system.rhs.assign(order + 1, 0.0);
    for (int row = 1; row <= order; ++row) system.rhs[row] = value();
    return system;
}

// As the solver does it: the sparse elimination, and the band's from the start
// when that meets a coefficient that is not finite.
int EliminateSparseOrProfile(ProfileMatrix& matrix, std::vector<double>& rhs) {
    const ProfileMatrix original = matrix;
    const std::vector<double> originalRhs = rhs;
    std::vector<int> rows;
    std::vector<double> work;
    const int row = EliminateSparse(matrix, rhs, rows, work);
    if (row != kNotFiniteCoefficient) return row;
    matrix = original;
    rhs = originalRhs;
    return EliminateProfile(matrix, rhs, work);
}

int EliminateBand(ProfileMatrix& matrix, std::vector<double>& rhs) {
    std::vector<double> work;
    return EliminateProfile(matrix, rhs, work);
}

struct Elimination {
    const char* name;
    int (*eliminate)(ProfileMatrix&, std::vector<double>&);
    bool negativeZeros;
};

TEST(ProfileElimination, GivesTheBitsOfTheWrittenProcedure) {
    for (const Elimination& elimination : {Elimination{"band", EliminateBand, true},
                                           Elimination{"sparse", EliminateSparseOrProfile, false}}) {
        SCOPED_TRACE(elimination.name);
        std::mt19937 engine(20261207);
        int zeroPivots = 0, zeroResults = 0;
        for (int trial = 0; trial < 3000; ++trial) {
            const int order = std::uniform_int_distribution<int>(1, trial < 2500 ? 12 : 120)(engine);
            System fast = MakeSystem(engine, order, elimination.negativeZeros);
            System written = fast;
            const int fastRow = elimination.eliminate(fast.matrix, fast.rhs);
            const int writtenRow = EliminateAsWritten(written.matrix, written.rhs);
            ASSERT_EQ(fastRow, writtenRow) << "trial " << trial;
            zeroPivots += writtenRow != 0;
            for (int row = 1; row <= order; ++row) {
                ASSERT_TRUE(SameBits(fast.rhs[row], written.rhs[row])) << "trial " << trial << " row " << row;
                zeroResults += written.rhs[row] == 0;
                for (int column = row - fast.matrix.Band(row); column <= row; ++column)
                    ASSERT_TRUE(SameBits(fast.matrix.At(row, column), written.matrix.At(row, column)))
                        << "trial " << trial << " at " << row << "," << column;
            }
        }
        // The corners were met, not just the easy middle.
        EXPECT_GT(zeroPivots, 20);
        EXPECT_GT(zeroResults, 100);
    }
}

}  // namespace
}  // namespace heatnet
