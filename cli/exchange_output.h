#pragma once

#include <iosfwd>
#include <string>

#include "calculation/run_hydraulic_calculation.h"

namespace heatnet {

// The exchange files heatnet-calc writes after a completed calculation; an
// empty name is not asked for.
struct ExchangeRequest {
    std::string inpFile;      // --export-inp
    std::string csvFolder;    // --csv
    std::string geoJsonFile;  // --geojson
    bool Any() const { return !inpFile.empty() || !csvFolder.empty() || !geoJsonFile.empty(); }
};

// Writes what `request` asks for, from the results and the data file read
// again (for the records' own start and end nodes). False when anything could
// not be written or was refused, each told on `messages`.
bool WriteExchangeFiles(const ExchangeRequest& request, const std::string& dataFile, const CalculationResult& result,
                        std::ostream& messages);

}  // namespace heatnet
