#include "reports/results_csv.h"

#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "data/file_io.h"
#include "reports/exchange_values.h"

namespace heatnet {
namespace {

std::string Row(const std::initializer_list<std::string>& cells) {
    std::string line;
    for (const std::string& cell : cells) line += (line.empty() ? "" : ",") + cell;
    return line + "\r\n";
}

}  // namespace

ResultsCsv ResultsCsvTexts(const ProjectData& data, const NetworkModel& model, const StandardPipeTable& table) {
    const auto number = FullPrecisionText;
    ResultsCsv csv;
    csv.nodes = "\xEF\xBB\xBF" "ID,热负荷(W),水量(kg/s),水量(m3/h),供水压力(Pa),回水压力(Pa),供回水压差(Pa)\r\n";
    for (const ExchangeNodeRow& node : ExchangeNodeRows(model))
        csv.nodes += Row({node.id, number(node.load), number(node.flow), number(node.volumeFlow),
                          number(node.supplyPressure), number(node.returnPressure), number(node.pressureDifference)});
    csv.segments = "\xEF\xBB\xBF" "ID,起点,终点,管径(mm),管段长度(m),计算长度(m),流量(kg/s),流量(m3/h),流速(m/s),"
                   "比摩阻(Pa/m),管段压降(Pa)\r\n";
    for (const ExchangeSegmentRow& pipe : ExchangeSegmentRows(data, model, table))
        csv.segments += Row({pipe.id, pipe.startId, pipe.endId, number(pipe.diameter), number(pipe.length),
                             number(pipe.calculationLength), number(pipe.flow), number(pipe.volumeFlow),
                             number(pipe.velocity), number(pipe.specificLoss), number(pipe.pressureDrop)});
    return csv;
}

std::string WriteResultsCsv(const std::string& folder, const ProjectData& data, const NetworkModel& model,
                            const StandardPipeTable& table) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::u8path(folder), error);
    if (!std::filesystem::is_directory(std::filesystem::u8path(folder), error))
        return "文件夹 " + folder + " 无法建立,结果表未写出。";
    const ResultsCsv csv = ResultsCsvTexts(data, model, table);
    for (const auto& [name, text] : {std::pair{kNodeCsvName, &csv.nodes}, std::pair{kSegmentCsvName, &csv.segments}}) {
        const std::string path = (std::filesystem::u8path(folder) / std::filesystem::u8path(name)).string();
        if (!WriteFileReplacing(path, *text)) return "文件 " + path + " 无法写入,请检查文件夹和文件是否可写。";
    }
    return {};
}

}  // namespace heatnet
