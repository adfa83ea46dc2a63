#include "cli/network_map_output.h"

#include <filesystem>
#include <ostream>

#include "data/base_data_file.h"
#include "data/file_io.h"
#include "reports/network_map.h"

namespace heatnet {

bool WriteNetworkMapFile(const std::string& mapFile, const std::string& dataFile, const CalculationResult* results,
                         std::ostream& messages) {
    const DataFileNames names = SplitDataFileName(dataFile);
    ProjectData data;
    if (ErrorMessage error = ReadBaseDataFile(names.fileName, data); !error.empty()) {
        // A calculation that stopped has told the same message already.
        if (results) messages << "heatnet-calc: 无法画出管网图:" << error << "\n";
        return false;
    }
    std::string error;
    std::optional<std::map<double, MapPoint>> coordinates = ReadCoordinateFile(CoordinateFileName(names.fileName), &error);
    if (!coordinates) {
        messages << "heatnet-calc: " << error << "管网图不使用该文件。\n";
        coordinates.emplace();
    }
    const NetworkMap map = LayOutNetwork(data, *coordinates);
    if (!results && map.faults.empty()) return false;
    const std::string title = std::filesystem::path(names.baseName).filename().string() + " 管网图";
    const std::string svg = results ? NetworkMapSvg(map, &results->model, &results->table,
                                                    MapQuantity::kLossShareOfLimit, title)
                                    : NetworkMapSvg(map, nullptr, nullptr, MapQuantity::kLossShareOfLimit, title);
    if (!WriteFileReplacing(mapFile, svg)) {
        messages << "heatnet-calc: 管网图文件 " << mapFile << " 无法写入\n";
        return false;
    }
    return true;
}

}  // namespace heatnet
