#pragma once

#include <cmath>

#include "data/number.h"
#include "hydraulics/network_model.h"
#include "hydraulics/units.h"

namespace heatnet {

// Segments given below this diameter (mm) are sized by the calculation.
inline constexpr double kSmallestGivenDiameter = 25;
// Limits on |specific friction loss| (Pa/m) for auto-sized segments.
inline constexpr double kFirstLimit = 5000;
inline constexpr double kSecondLimit = 2000;
inline constexpr double kMainLineLimit = 90;
inline constexpr double kBranchLimit = 300;
// Auto-sized segments carrying less than this (t/h) are pointed out.
inline constexpr double kSmallFlow = 0.1;

// Specific friction loss limit (Pa/m) of an auto-sized segment's zone.
inline double ZoneLimit(const NetworkSegment& segment, const Number& branchStartNode) {
    const double start = ValueOf(branchStartNode);
    if (start <= 0) return kMainLineLimit;
    const bool mainLine = ValueOf(segment.nodeI) < start && ValueOf(segment.nodeJ) < start;
    return mainLine ? kMainLineLimit : kBranchLimit;
}

// Sizes to add when |DP| exceeds a limit; 0 when it passes every limit.
inline int EnlargementStep(double specificLoss, double zoneLimit) {
    const double magnitude = std::fabs(specificLoss);
    if (magnitude > kFirstLimit) return 3;
    if (magnitude > kSecondLimit) return 2;
    if (magnitude > zoneLimit) return 1;
    return 0;
}

// pi / 4 as 3.1415 / 4, the rounding every printed velocity was made with.
inline constexpr double kQuarterPi = 0.785375;
// t/h and mm give m/s through 1000 kg per t and 1e6 mm^2 per m^2.
inline constexpr double kVelocityUnits = 1e9;

inline double Velocity(double flow, double diameter, double density) {
    return kVelocityUnits * flow / (kSecondsPerHour * kQuarterPi * (diameter * diameter) * density);
}

}  // namespace heatnet
