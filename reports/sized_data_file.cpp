#include "reports/sized_data_file.h"

#include <initializer_list>
#include <optional>

#include "data/application_texts.h"
#include "data/file_io.h"
#include "data/number_text.h"
#include "hydraulics/node_demands.h"
#include "data/gbk_text.h"

namespace heatnet {
namespace {

std::string JoinFileForms(std::initializer_list<Number> values) {
    std::string line;
    for (const Number& value : values) {
        if (!line.empty()) line += ",";
        line += NumberToFileText(value);
    }
    return line + "\r\n";
}

// Unlike the basic data window's writer, segment fields carry no trailing blank.
std::string JoinBoxForms(std::initializer_list<Number> values) {
    std::string line;
    for (const Number& value : values) {
        if (!line.empty()) line += ",";
        line += NumberToBoxText(value);
    }
    return line + "\r\n";
}

}  // namespace

std::string FormatSizedDataFile(const NetworkModel& model, const StandardPipeTable& table) {
    std::string text = JoinFileForms({model.supplyTemperatureRead, model.returnTemperatureRead,
                                      model.pumpInletPressureRead, model.lastUserResistanceRead,
                                      model.localResistanceCoefficient});
    text += JoinFileForms({model.nodeCountRead, model.pipeCountRead, model.branchStartNode});
    for (const NetworkSegment& segment : model.segments)
        text += JoinBoxForms({table.Diameter(segment.sizeIndex), segment.length,
                              segment.equivalentLength, segment.nodeI, segment.nodeJ});
    // Each record goes through its own flow, not the node's demand: a node named
    // twice keeps only the later flow, and node 0's demand is replaced by the
    // negated total, yet every record must come back as it was entered.
    for (const NodeLoad& record : model.loadRecords) {
        const double flow = LoadToFlow(ValueOf(record.load), model.temperatureDifference);
        const double load = FlowToLoad(flow, model.supplyTemperature, model.returnTemperature);
        text += NumberToFileText(record.node) + "," + NumberToFileText(load) + "\r\n";
    }
    return text;
}

bool WriteSizedDataFile(const NetworkModel& model, const StandardPipeTable& table,
                        const std::string& path, UserInteraction& person) {
    const std::optional<std::string> bytes = Utf8ToGbk(FormatSizedDataFile(model, table));
    if (bytes && WriteFileReplacing(path, *bytes)) return true;
    person.ShowMessage("无法写入带管径的基本数据文件 " + path + ",请检查磁盘空间和文件夹权限。",
                       kApplicationTitle);
    return false;
}

}  // namespace heatnet
