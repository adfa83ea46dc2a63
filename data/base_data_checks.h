#pragma once

#include <string>

#include "data/project_data.h"

namespace heatnet {

// Refuses the values of a record read from a data file that no calculation can
// use, before anything is derived from them: temperatures outside the range of
// liquid water, absurd pressures, negative or absurd lengths and coefficients,
// node numbers that are not whole numbers from 0 on, and loads whose magnitude
// would overflow the flows or the conductances. Empty when the record can be
// calculated, otherwise the message naming the file, the place and the field.
std::string CheckBaseData(const ProjectData& data, const std::string& fileName);

}  // namespace heatnet
