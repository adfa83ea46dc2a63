#pragma once

#include <optional>

namespace heatnet {

// A value of the project record: a double or unset. Unset counts as 0 in every
// calculation but is written as an empty field, so the distinction is kept.
using Number = std::optional<double>;

inline double ValueOf(const Number& number) { return number.value_or(0.0); }

}  // namespace heatnet
