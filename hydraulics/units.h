#pragma once

namespace heatnet {

// Flows are in t/h, loads in MW: a tonne per hour is a kilogram per 3.6 seconds.
inline constexpr double kSecondsPerHour = 3600;
// Specific heat of water, kJ/(kg K), as the loads have always been converted with.
inline constexpr double kSpecificHeatOfWater = 4.1868;
// Pressures are entered and printed in kPa and calculated in Pa.
inline constexpr double kPaPerKPa = 1000;

}  // namespace heatnet
