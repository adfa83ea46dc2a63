#pragma once

#include <iosfwd>
#include <string>

#include "calculation/run_hydraulic_calculation.h"

namespace heatnet {

// heatnet-calc --map: the network map of the data file as SVG, with the
// calculation's results when it completed. Without results only a map with
// topology faults is written: they are why the file cannot be calculated, and
// a calculation stopped for another reason leaves nothing behind. Written
// atomically; false when nothing was written (told on `messages` when the
// data file or the map file cannot be read or written after a calculation). The side file 文件名.xy.csv is
// used when present; a side file that cannot be read is told and left out.
bool WriteNetworkMapFile(const std::string& mapFile, const std::string& dataFile, const CalculationResult* results,
                         std::ostream& messages);

}  // namespace heatnet
