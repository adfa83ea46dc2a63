#include "reports/results_geojson.h"

#include <initializer_list>
#include <utility>

#include "data/file_io.h"
#include "reports/exchange_values.h"

namespace heatnet {
namespace {

using Property = std::pair<const char*, std::string>;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Properties(const std::initializer_list<Property>& properties) {
    std::string json;
    for (const auto& [name, value] : properties) json += std::string(json.empty() ? "" : ",") + Quoted(name) + ":" + value;
    return "{" + json + "}";
}

// Northward y, as the side file writes it.
std::string Position(const MapPoint& at) {
    std::string text = "[";
    text += FullPrecisionText(at.x);
    text += ',';
    text += FullPrecisionText(-at.y);
    return text += ']';
}

std::string Line(const MapPoint& from, const MapPoint& to) {
    std::string text = "[";
    text += Position(from);
    text += ',';
    text += Position(to);
    return text += ']';
}

std::string Feature(const std::string& geometry, const std::string& coordinates, const std::string& properties) {
    return "{\"type\":\"Feature\",\"geometry\":{\"type\":\"" + geometry + "\",\"coordinates\":" + coordinates +
           "},\"properties\":" + properties + "}";
}

}  // namespace

ResultsGeoJson ResultsGeoJsonText(const ProjectData& data, const NetworkModel& model, const StandardPipeTable& table,
                                  const std::map<double, MapPoint>& sideFile, const std::string& sideFileName) {
    const std::vector<ExchangeNodeRow> nodes = ExchangeNodeRows(model);
    std::string missing;
    for (const ExchangeNodeRow& node : nodes)
        if (!sideFile.contains(ValueOf(node.number))) missing += (missing.empty() ? "" : "、") + node.id;
    if (!missing.empty())
        return {{}, "坐标文件 " + sideFileName + " 中没有节点 " + missing + " 的坐标,GeoJSON文件未写出。"};
    const auto number = FullPrecisionText;
    const auto at = [&](const Number& node) { return sideFile.at(ValueOf(node)); };
    std::vector<std::string> features;
    for (const ExchangeNodeRow& node : nodes)
        features.push_back(Feature("Point", Position(at(node.number)),
                                   Properties({{"ID", Quoted(node.id)},
                                               {"热负荷(W)", number(node.load)},
                                               {"水量(kg/s)", number(node.flow)},
                                               {"水量(m3/h)", number(node.volumeFlow)},
                                               {"供水压力(Pa)", number(node.supplyPressure)},
                                               {"回水压力(Pa)", number(node.returnPressure)},
                                               {"供回水压差(Pa)", number(node.pressureDifference)}})));
    for (const ExchangeSegmentRow& pipe : ExchangeSegmentRows(data, model, table))
        features.push_back(Feature("LineString",
                                   Line(at(pipe.startNode), at(pipe.endNode)),
                                   Properties({{"ID", Quoted(pipe.id)},
                                               {"起点", Quoted(pipe.startId)},
                                               {"终点", Quoted(pipe.endId)},
                                               {"管径(mm)", number(pipe.diameter)},
                                               {"管段长度(m)", number(pipe.length)},
                                               {"计算长度(m)", number(pipe.calculationLength)},
                                               {"流量(kg/s)", number(pipe.flow)},
                                               {"流量(m3/h)", number(pipe.volumeFlow)},
                                               {"流速(m/s)", number(pipe.velocity)},
                                               {"比摩阻(Pa/m)", number(pipe.specificLoss)},
                                               {"管段压降(Pa)", number(pipe.pressureDrop)}})));
    std::string text = "{\"type\":\"FeatureCollection\",\"features\":[\n";
    for (size_t k = 0; k < features.size(); ++k) text += features[k] + (k + 1 < features.size() ? ",\n" : "\n");
    return {text + "]}\n", {}};
}

std::string WriteResultsGeoJson(const std::string& path, const std::string& dataFile, const ProjectData& data,
                                const NetworkModel& model, const StandardPipeTable& table) {
    const std::string sideFileName = CoordinateFileName(dataFile);
    std::string error;
    const std::optional<std::map<double, MapPoint>> sideFile = ReadCoordinateFile(sideFileName, &error);
    if (!sideFile) return error + "GeoJSON文件未写出。";
    // Naming every node would only say that the file is not there.
    if (!FileExists(sideFileName)) return "坐标文件 " + sideFileName + " 不存在,GeoJSON文件需要每个节点的坐标,未写出。";
    const ResultsGeoJson geoJson = ResultsGeoJsonText(data, model, table, *sideFile, sideFileName);
    if (!geoJson.refusal.empty()) return geoJson.refusal;
    if (WriteFileReplacing(path, geoJson.text)) return {};
    return "GeoJSON文件 " + path + " 无法写入,请检查文件夹和文件是否可写。";
}

}  // namespace heatnet
