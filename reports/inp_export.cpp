#include "reports/inp_export.h"

#include <filesystem>

#include "data/file_io.h"
#include "data/number_text.h"
#include "reports/exchange_values.h"

namespace heatnet {
namespace {

constexpr double kGravity = 9.80665;  // m/s2
// 3.7 * 0.5 / 10^0.57 mm: with it the fully rough limit of EPANET's friction
// law, 1/sqrt(f) = -2 log10(e / 3.7D), is heatnet's 1/sqrt(λ) = 1.14 + 2 log10(d / 0.5).
constexpr const char* kRoughness = "0.4979339387";

std::string HeaderValues(const NetworkModel& model) {
    const auto text = [](const Number& number) { return number ? NumberInText(number) : std::string(); };
    return "t1=" + text(model.supplyTemperatureRead) + " t2=" + text(model.returnTemperatureRead) +
           " Pin=" + text(model.pumpInletPressureRead) + " Ru=" + text(model.lastUserResistanceRead) +
           " alpha=" + text(model.localResistanceCoefficient) + " s300=" + text(model.branchStartNode);
}

}  // namespace

std::map<double, MapPoint> ExchangeCoordinates(const ProjectData& data, const std::string& dataFile,
                                               std::string* note) {
    std::string error;
    std::optional<std::map<double, MapPoint>> fromFile = ReadCoordinateFile(CoordinateFileName(dataFile), &error);
    if (!fromFile) {
        if (note) *note = error + "导出时不使用该文件。";
        fromFile.emplace();
    }
    std::map<double, MapPoint> points;
    for (const MapNode& node : LayOutNetwork(data, *fromFile).nodes) points[node.number] = node.at;
    return points;
}

std::string InpFileText(const ProjectData& data, const NetworkModel& model, const StandardPipeTable& table,
                        const std::map<double, MapPoint>& coordinates) {
    const std::vector<ExchangeNodeRow> nodes = ExchangeNodeRows(model);
    std::string text = ";heatnet " HEATNET_VERSION " 由 " + model.dataFileName + " 导出(供水侧)\n";
    text += ";heatnet 基本数据 " + HeaderValues(model) + "\n";
    text += "[TITLE]\n" + std::filesystem::path(model.baseName).filename().string() + "\n";
    text += "[JUNCTIONS]\n;ID  Elev  Demand\n";
    for (size_t k = 1; k < nodes.size(); ++k) text += nodes[k].id + "  0  " + FullPrecisionText(nodes[k].volumeFlow) + "\n";
    text += "[RESERVOIRS]\n;ID  Head\n";
    text += nodes[0].id + "  " + FullPrecisionText(model.nodes[0].supplyPressure / (model.density * kGravity)) + "\n";
    text += "[PIPES]\n;ID  Node1  Node2  Length  Diameter  Roughness  MinorLoss  Status\n";
    for (const ExchangeSegmentRow& pipe : ExchangeSegmentRows(data, model, table)) {
        const auto field = [](const Number& number) { return number ? NumberInText(number) : std::string(); };
        text += pipe.id + "  " + pipe.startId + "  " + pipe.endId + "  " + FullPrecisionText(pipe.calculationLength) +
                "  " + FullPrecisionText(pipe.diameter) + "  " + kRoughness + "  0  Open  ;L=" +
                field(pipe.lengthRead) + " Le=" + field(pipe.equivalentLengthRead) + "\n";
    }
    // A viscosity this small (EPANET takes values below 1e-3 as a kinematic
    // viscosity itself, not relative to water's) leaves only the rough-pipe term,
    // down to speeds of micrometres per second.
    text += "[OPTIONS]\nUNITS CMH\nHEADLOSS D-W\nVISCOSITY 1e-15\nACCURACY 1e-9\nTRIALS 1000\n";
    text += "[TIMES]\nDURATION 0\n";
    std::string placed;
    for (const ExchangeNodeRow& node : nodes)
        if (const auto at = coordinates.find(ValueOf(node.number)); at != coordinates.end())
            placed += node.id + " " + FullPrecisionText(at->second.x) + " " + FullPrecisionText(-at->second.y) + "\n";
    if (!placed.empty()) text += "[COORDINATES]\n;Node  X  Y\n" + placed;
    return text + "[END]\n";
}

std::string WriteInpFile(const std::string& path, const ProjectData& data, const NetworkModel& model,
                         const StandardPipeTable& table, const std::map<double, MapPoint>& coordinates) {
    if (WriteFileReplacing(path, InpFileText(data, model, table, coordinates))) return {};
    return "INP文件 " + path + " 无法写入,请检查文件夹和文件是否可写。";
}

}  // namespace heatnet
