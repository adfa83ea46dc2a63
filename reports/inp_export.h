#pragma once

#include <map>
#include <string>

#include "data/project_data.h"
#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"
#include "reports/network_map.h"

namespace heatnet {

// Where every node stands for the exchange files, in the map's orientation (y
// downward): the side file 文件名.xy.csv where it gives a node, the map's layout
// for the rest. A side file that cannot be read is left out, its message in `note`.
std::map<double, MapPoint> ExchangeCoordinates(const ProjectData& data, const std::string& dataFile,
                                               std::string* note);

// The sized network's supply side as an EPANET input file (LF line ends), with
// the pipe records in data-file order and heatnet's own lengths in a comment
// per pipe, so that an import of it gives the same network back.
std::string InpFileText(const ProjectData& data, const NetworkModel& model, const StandardPipeTable& table,
                        const std::map<double, MapPoint>& coordinates);

// Writes it atomically; empty, or the message for the person.
std::string WriteInpFile(const std::string& path, const ProjectData& data, const NetworkModel& model,
                         const StandardPipeTable& table, const std::map<double, MapPoint>& coordinates);

}  // namespace heatnet
