#pragma once

#include <map>
#include <string>

#include "data/project_data.h"
#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"
#include "reports/network_map.h"

namespace heatnet {

// The results for a GIS: nodes as points and segments as lines (start to end
// node as written) carrying the values of 节点.csv and 管段.csv. Only real
// coordinates will do, so every node needs one from the side file.
struct ResultsGeoJson {
    std::string text;     // empty when refused
    std::string refusal;  // names every node without coordinates
};

// `sideFile` holds the side file's points as ReadCoordinateFile gives them
// (y downward); `sideFileName` is named in the refusal.
ResultsGeoJson ResultsGeoJsonText(const ProjectData& data, const NetworkModel& model, const StandardPipeTable& table,
                                  const std::map<double, MapPoint>& sideFile, const std::string& sideFileName);

// Reads the side file of `dataFile` and writes the GeoJSON atomically; empty,
// or the message for the person (nothing written).
std::string WriteResultsGeoJson(const std::string& path, const std::string& dataFile, const ProjectData& data,
                                const NetworkModel& model, const StandardPipeTable& table);

}  // namespace heatnet
