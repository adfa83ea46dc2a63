// The side file of real node coordinates, 文件名.xy.csv, written by hand or by
// interchange work; the data file itself never carries coordinates.
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "data/base_data_file.h"
#include "data/file_io.h"
#include "reports/network_map.h"

namespace heatnet {
namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A whole cell as a finite number, or nullopt. Read with from_chars, not strtod:
// the desktop program runs under the person's locale, where strtod may take
// "12.5" for 12 and leave ".5" behind.
std::optional<double> CellNumber(const std::string& cell) {
    std::string text = Trimmed(cell);
    if (!text.empty() && text.front() == '+') text.erase(0, 1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream stream(line);
    for (std::string cell; std::getline(stream, cell, ',');) cells.push_back(cell);
    if (!line.empty() && line.back() == ',') cells.emplace_back();
    return cells;
}

}  // namespace

std::string CoordinateFileName(const std::string& dataFileName) {
    return SplitDataFileName(dataFileName).baseName + ".xy.csv";
}

std::optional<std::map<double, MapPoint>> ReadCoordinateFile(const std::string& path, std::string* error) {
    std::map<double, MapPoint> points;
    if (!FileExists(path)) return points;
    const auto fail = [&](const std::string& message) {
        if (error) *error = "坐标文件 " + path + " " + message;
        return std::nullopt;
    };
    std::optional<std::string> content = ReadWholeFile(path);
    if (!content) return fail("无法读取,请检查文件。");
    // Spreadsheets that save "UTF-8" put a byte-order mark first.
    if (content->starts_with("\xEF\xBB\xBF")) content->erase(0, 3);
    std::stringstream lines(*content);
    std::string line;
    int lineNumber = 0;
    bool headerSeen = false;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (Trimmed(line).empty()) continue;
        const std::vector<std::string> cells = Cells(line);
        if (!headerSeen) {
            headerSeen = true;
            if (cells.size() == 3 && Trimmed(cells[0]) == "节点" && Trimmed(cells[1]) == "x" &&
                Trimmed(cells[2]) == "y")
                continue;
            return fail("第1行应为标题行\"节点,x,y\",请检查文件。");
        }
        const std::string place = "第" + std::to_string(lineNumber) + "行";
        if (cells.size() != 3) return fail(place + "应有3项(节点,x,y),请检查文件。");
        const std::optional<double> node = CellNumber(cells[0]), x = CellNumber(cells[1]), y = CellNumber(cells[2]);
        if (!node || !x || !y) return fail(place + "的节点编号和坐标应为数字,请检查文件。");
        // Surveys and GIS count y northward; the map's y grows downward.
        if (!points.try_emplace(*node, MapPoint{*x, -*y}).second)
            return fail(place + "的节点" + Trimmed(cells[0]) + "已在前面给出坐标,请检查文件。");
    }
    return points;
}

}  // namespace heatnet
