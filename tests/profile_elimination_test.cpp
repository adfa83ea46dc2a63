// The elimination against the procedure as written, loop for loop, on matrices
// made to hit its corners: exact zeros of either sign inside the band, zero
// pivots, rows with empty bands, right-hand sides that cancel to zero.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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

System MakeSystem(std::mt19937& engine, int order) {
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<int> bands(order + 1, 0);
    for (int row = 2; row <= order; ++row)
        bands[row] = percent(engine) < 20 ? 0 : std::uniform_int_distribution<int>(1, row - 1)(engine);
    System system;
    system.matrix.Layout(bands);
    system.matrix.Clear();
    const auto value = [&]() {
        const int kind = percent(engine);
        if (kind < 10) return 0.0;
        if (kind < 15) return -0.0;
        if (kind < 20) return 1.0;  // repeated values make exact cancellations
        return (kind % 2 ? -1 : 1) * unit(engine) * std::pow(10.0, std::uniform_int_distribution<int>(-8, 8)(engine));
    };
    for (int row = 1; row <= order; ++row) {
        for (int column = row - bands[row]; column < row; ++column) system.matrix.At(row, column) = value();
        system.matrix.At(row, row) = percent(engine) < 3 ? 0.0 : 1e9 * (1 + unit(engine));
    }
    system.rhs.assign(order + 1, 0.0);
    for (int row = 1; row <= order; ++row) system.rhs[row] = value();
    return system;
}

TEST(ProfileElimination, GivesTheBitsOfTheWrittenProcedure) {
    std::mt19937 engine(20261207);
    int zeroPivots = 0, zeroResults = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        const int order = std::uniform_int_distribution<int>(1, trial < 2500 ? 12 : 120)(engine);
        System fast = MakeSystem(engine, order);
        System written = fast;
        std::vector<double> work;
        const int fastRow = EliminateProfile(fast.matrix, fast.rhs, work);
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

}  // namespace
}  // namespace heatnet
