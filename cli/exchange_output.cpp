#include "cli/exchange_output.h"

#include <ostream>

#include "data/base_data_file.h"
#include "reports/inp_export.h"
#include "reports/results_csv.h"
#include "reports/results_geojson.h"

namespace heatnet {

bool WriteExchangeFiles(const ExchangeRequest& request, const std::string& dataFile, const CalculationResult& result,
                        std::ostream& messages) {
    if (!request.Any()) return true;
    const std::string fileName = SplitDataFileName(dataFile).fileName;
    ProjectData data;
    if (ErrorMessage error = ReadBaseDataFile(fileName, data); !error.empty()) {
        messages << "heatnet-calc: 无法导出计算结果:" << error << "\n";
        return false;
    }
    bool written = true;
    const auto tell = [&](const std::string& error) {
        if (error.empty()) return;
        messages << "heatnet-calc: " << error << "\n";
        written = false;
    };
    if (!request.inpFile.empty()) {
        std::string note;
        const auto coordinates = ExchangeCoordinates(data, fileName, &note);
        if (!note.empty()) messages << "heatnet-calc: " << note << "\n";
        tell(WriteInpFile(request.inpFile, data, result.model, result.table, coordinates));
    }
    if (!request.csvFolder.empty()) tell(WriteResultsCsv(request.csvFolder, data, result.model, result.table));
    if (!request.geoJsonFile.empty())
        tell(WriteResultsGeoJson(request.geoJsonFile, fileName, data, result.model, result.table));
    return written;
}

}  // namespace heatnet
