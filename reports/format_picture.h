#pragma once

#include <string>
#include <string_view>

namespace heatnet {

// Writes a value with a "0"/"#" format picture such as "###0.0#": "0" is a
// mandatory digit, "#" an optional one; the integer part is never truncated, the
// value is rounded half away from zero (on its 15-significant-digit decimal form)
// to the picture's last decimal, optional trailing zeros are dropped and the point
// is always written. A negative value keeps its "-" even when it rounds to zero.
std::string FormatWithPicture(double value, std::string_view picture);

}  // namespace heatnet
