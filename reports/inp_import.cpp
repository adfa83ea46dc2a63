#include "reports/inp_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <unordered_set>

#include "data/base_data_file.h"
#include "data/file_io.h"
#include "data/number_text.h"
#include "data/pasted_cells.h"
#include "data/quoted_text.h"
#include "hydraulics/node_demands.h"
#include "hydraulics/standard_pipe_table.h"
#include "reports/exchange_values.h"
#include "reports/network_map.h"

namespace heatnet {
namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kMillimetresPerInch = 25.4;
// Node numbers are whole numbers the data file writes with all their digits.
constexpr double kLargestNodeNumber = 999999999999999;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsKeptNodeNumber(const std::string& id) {
    const std::optional<Number> number = ParseNumberField(id);
    if (!number || !*number) return false;
    const double value = **number;
    return value > 0 && value <= kLargestNodeNumber && value == std::floor(value);
}

// The lengths heatnet wrote beside its own export (";L=<L> Le=<Le>"), when they
// still give the model's length: only then are they the data file's own.
std::optional<std::pair<Number, Number>> CarriedLengths(const std::string& comment, double length,
                                                        double alpha) {
    const size_t blank = comment.find(' ');
    if (blank == std::string::npos || !comment.starts_with("L=") ||
        comment.compare(blank, 4, " Le=") != 0)
        return std::nullopt;
    const std::optional<Number> l = ParseNumberField(std::string_view(comment).substr(2, blank - 2));
    const std::optional<Number> le = ParseNumberField(std::string_view(comment).substr(blank + 4));
    if (!l || !le || !std::isfinite(ValueOf(*l)) || !std::isfinite(ValueOf(*le))) return std::nullopt;
    const double carried = ValueOf(*le) != 0 ? ValueOf(*l) + ValueOf(*le) : ValueOf(*l) * (1 + alpha);
    if (!(std::fabs(carried - length) <= 1e-9 * std::fabs(length))) return std::nullopt;
    return std::pair{*l, *le};
}

}  // namespace

InpConversion ConvertInp(const InpFile& file, const InpImportOptions& options) {
    InpConversion out;
    const InpHeatnetValues& own = file.heatnet;
    std::pair<Number, Number> temperatures;
    if (own.supplyTemperature && own.returnTemperature) {
        temperatures = {own.supplyTemperature, own.returnTemperature};
    } else if (options.temperatures) {
        temperatures = {options.temperatures->first, options.temperatures->second};
    } else {
        out.temperaturesMissing = true;
        out.error = "INP文件中没有设计温度,请用 --temperatures 供水温度,回水温度 给出。";
        return out;
    }
    // The calculation takes the higher temperature as the supply's.
    const double supply = std::max(*temperatures.first, *temperatures.second);
    const double back = std::min(*temperatures.first, *temperatures.second);
    if (supply == back) {
        out.error = "供水温度与回水温度相同(" + NumberInText(supply) + "),无法由水量求得热负荷,无法导入。";
        return out;
    }
    const double density = WaterDensity((supply + back) / 2);

    // Numbers in the order read: numeric IDs keep theirs, the rest count on above them.
    std::vector<double> numbers(file.nodes.size(), 0);
    std::vector<bool> numbered(file.nodes.size(), false);
    std::unordered_set<double> kept;
    double next = 1;
    for (size_t i = 0; i < file.nodes.size(); ++i) {
        const InpNode& node = file.nodes[i];
        numbered[i] = node.reservoir;
        if (node.reservoir || !IsKeptNodeNumber(node.id)) continue;
        const double number = ValueOf(*ParseNumberField(node.id));
        if (!kept.insert(number).second) continue;
        numbers[i] = number;
        numbered[i] = true;
        next = std::max(next, number + 1);
    }
    for (size_t i = 0; i < file.nodes.size(); ++i) {
        if (numbered[i]) continue;
        if (next > kLargestNodeNumber) {
            out.error = "INP文件第" + std::to_string(file.nodes[i].line) + "行([JUNCTIONS]):节点\"" +
                        QuotedForMessage(file.nodes[i].id) + "\"无法编号:节点号将超过" +
                        NumberInText(kLargestNodeNumber) + ",无法导入。";
            return out;
        }
        numbers[i] = next++;
    }

    out.data = std::make_unique<ProjectData>();
    ProjectData& data = *out.data;
    data.supplyTemperature = temperatures.first;
    data.returnTemperature = temperatures.second;
    data.localResistanceCoefficient = own.present ? own.localResistanceCoefficient : Number(0.0);
    if (own.present) {
        data.pumpInletPressure = own.pumpInletPressure;
        data.lastUserResistance = own.lastUserResistance;
        data.branchStartNode = own.branchStartNode;
    }
    const double alpha = ValueOf(data.localResistanceCoefficient);
    const double lengthUnit = file.usUnits ? kMetresPerFoot : 1;
    const double diameterUnit = file.usUnits ? kMillimetresPerInch : 1;
    for (size_t i = 0; i < file.pipes.size(); ++i) {
        const InpPipe& pipe = file.pipes[i];
        PipeSegment& segment = data.pipes[i + 1];
        const double length = pipe.length * lengthUnit;
        const double diameter = pipe.diameter * diameterUnit;
        segment.diameter = options.diameters == InpDiameters::kAuto ? 0.0 : diameter;
        segment.startNode = numbers[pipe.node1];
        segment.endNode = numbers[pipe.node2];
        if (const auto carried = CarriedLengths(pipe.comment, length, alpha)) {
            segment.length = carried->first;
            segment.equivalentLength = carried->second;
            continue;
        }
        // A minor loss K is the friction of K * d / lambda metres of the same pipe.
        const double equivalent =
            pipe.minorLoss > 0 ? pipe.minorLoss * (diameter / 1000) / RoughPipeFrictionFactor(diameter) : 0;
        segment.length = equivalent == 0 ? length / (1 + alpha) : length;
        segment.equivalentLength = equivalent;
    }
    int loadRecord = 0;
    for (size_t i = 0; i < file.nodes.size(); ++i) {
        const InpNode& node = file.nodes[i];
        if (node.reservoir) continue;
        const double flow = (node.hasListedDemand ? node.listedDemand : node.demand) * file.cubicMetresPerHour;
        data.loads[++loadRecord] = {numbers[i], FlowToLoad(flow * density / 1000, supply, back)};
        // Absurd design temperatures or demands overflow; the data file has no text for that.
        if (!std::isfinite(*data.loads[loadRecord].load)) {
            out.error = "INP文件第" + std::to_string(node.line) + "行([JUNCTIONS]):节点\"" +
                        QuotedForMessage(node.id) + "\"的热负荷超出数值范围,无法导入。";
            return out;
        }
    }
    data.pipeCount = static_cast<double>(file.pipes.size());
    data.nodeCount = static_cast<double>(loadRecord + 1);

    for (size_t i = 0; i < file.nodes.size(); ++i) out.nodeNumbers.emplace_back(file.nodes[i].id, numbers[i]);
    for (const InpCoordinate& point : file.coordinates)
        out.coordinates.push_back({numbers[point.node], point.x, point.y});
    return out;
}

std::string FormatNodeNumberFile(const InpConversion& conversion) {
    CellRows rows = {{"INP标识", "节点号"}};
    for (const auto& [id, number] : conversion.nodeNumbers) rows.push_back({id, NumberInText(number)});
    return std::string(kUtf8Mark) + CsvText(rows);
}

std::string FormatCoordinateFile(const InpConversion& conversion) {
    std::string text = std::string(kUtf8Mark) + "节点,x,y\r\n";
    for (const InpConversion::Point& point : conversion.coordinates)
        text += NumberInText(point.node) + "," + FullPrecisionText(point.x) + "," + FullPrecisionText(point.y) + "\r\n";
    return text;
}

std::string NodeNumberFileName(const std::string& dataFile) {
    return SplitDataFileName(dataFile).baseName + ".ids.csv";
}

InpImportOutcome ImportInpFile(const std::string& inp, const std::string& dataFile,
                               const InpImportOptions& options) {
    InpImportOutcome outcome;
    const std::optional<std::string> text = ReadWholeFile(inp);
    if (!text) {
        outcome.message = IsTooLargeToRead(inp) ? "INP文件 " + inp + " 过大,不是管网模型文件,无法导入。"
                                                : "无法读取INP文件 " + inp + ",请检查文件名。";
        return outcome;
    }
    InpFile file;
    if (outcome.message = ReadInpText(*text, file); !outcome.message.empty()) return outcome;
    const InpConversion conversion = ConvertInp(file, options);
    outcome.temperaturesMissing = conversion.temperaturesMissing;
    if (outcome.message = conversion.error; !outcome.message.empty()) return outcome;

    const std::string target = SplitDataFileName(dataFile).fileName;
    const bool existed = FileExists(target);
    if (existed && !options.replace) {
        outcome.dataFileExists = true;
        outcome.message = "数据文件 " + target + " 已存在,未导入;覆盖请加 --replace。";
        return outcome;
    }
    std::vector<std::pair<std::string, std::string>> sideFiles = {
        {NodeNumberFileName(dataFile), FormatNodeNumberFile(conversion)}};
    if (!conversion.coordinates.empty())
        sideFiles.emplace_back(CoordinateFileName(dataFile), FormatCoordinateFile(conversion));

    // The side files wait under temporary names until the data file is written.
    std::vector<std::string> staged;
    std::error_code ignored;
    const auto discard = [&] {
        for (const std::string& path : staged) std::filesystem::remove(path, ignored);
    };
    for (const auto& [path, bytes] : sideFiles) {
        staged.push_back(path + ".heatnet-import");
        if (!WriteFileReplacing(staged.back(), bytes)) {
            staged.pop_back();
            discard();
            outcome.message = "无法写入文件 " + path + ",请检查文件夹是否可写,未导入。";
            return outcome;
        }
    }
    if (outcome.message = WriteBaseDataFile(target, *conversion.data); !outcome.message.empty()) {
        discard();
        return outcome;
    }
    outcome.filesWritten.push_back(target);
    for (size_t i = 0; i < sideFiles.size(); ++i) {
        std::error_code error;
        std::filesystem::rename(staged[i], sideFiles[i].first, error);
        if (!error) {
            outcome.filesWritten.push_back(sideFiles[i].first);
            continue;
        }
        staged.erase(staged.begin(), staged.begin() + static_cast<long>(i));
        discard();
        // Only what this import created goes; a replaced data file cannot come back.
        for (size_t k = existed ? 1 : 0; k < outcome.filesWritten.size(); ++k)
            std::filesystem::remove(outcome.filesWritten[k], ignored);
        outcome.filesWritten.clear();
        outcome.message = "无法写入文件 " + sideFiles[i].first + ",本次导入" +
                          (existed ? "未完成。" : "已写入的文件已删除,未导入。");
        return outcome;
    }
    return outcome;
}

}  // namespace heatnet
