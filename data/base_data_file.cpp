#include "data/base_data_file.h"

#include <cmath>
#include <filesystem>
#include <memory>

#include "data/field_reader.h"
#include "data/file_io.h"
#include "data/number_text.h"

namespace heatnet {
namespace {

bool IsSeparator(char c) {
    return c == '/' || c == static_cast<char>(std::filesystem::path::preferred_separator);
}

// Counts must be whole, not negative and within the record tables.
ErrorMessage CheckCount(const Number& count, int maximum, const char* label,
                        const std::string& fileName) {
    const double value = ValueOf(count);
    if (std::isfinite(value) && value == std::floor(value) && value >= 0 && value <= maximum)
        return {};
    return "数据文件 " + fileName + " 中的" + label + NumberInText(count) + "不可用:" + label + "应为0到" +
           std::to_string(maximum) + "之间的整数。";
}

class FieldSequence {
public:
    FieldSequence(const std::string& content, const std::string& fileName)
        : reader_(content), fileName_(fileName) {}

    // Reads the next field as a number; on failure fills error_ and returns false.
    bool Read(Number& target, const std::string& what) {
        Field field;
        if (!reader_.Next(field)) {
            error_ = "数据文件 " + fileName_ + " 不完整:第" + std::to_string(reader_.LastLine()) +
                     "行之后数据已结束,缺少" + what + "。";
            return false;
        }
        std::optional<Number> number = ParseNumberField(field.text);
        if (!number) {
            error_ = "数据文件 " + fileName_ + " 第" + std::to_string(field.line) + "行第" +
                     std::to_string(field.number) + "个数据\"" + std::string(field.text) +
                     "\"不是数字(" + what + "),请检查。";
            return false;
        }
        target = *number;
        return true;
    }

    const ErrorMessage& Error() const { return error_; }

private:
    FieldReader reader_;
    std::string fileName_;
    ErrorMessage error_;
};

}  // namespace

DataFileNames SplitDataFileName(const std::string& name) {
    size_t nameStart = 0;
    for (size_t i = 0; i < name.size(); ++i)
        if (IsSeparator(name[i])) nameStart = i + 1;
    const size_t dot = name.find('.', nameStart);
    if (dot != std::string::npos && dot > nameStart) return {name, name.substr(0, dot)};
    return {name + ".TXT", name};
}

bool HasWildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

int PipeRecordCount(const ProjectData& data) {
    return static_cast<int>(std::max(0.0, ValueOf(data.pipeCount)));
}

int LoadRecordCount(const ProjectData& data) {
    return static_cast<int>(std::max(0.0, ValueOf(data.nodeCount) - 1));
}

ErrorMessage ParseBaseData(const std::string& content, const std::string& fileName,
                           ProjectData& data) {
    auto read = std::make_unique<ProjectData>(data);
    FieldSequence fields(content, fileName);
    ProjectData& r = *read;
    const bool headerRead = fields.Read(r.supplyTemperature, "供水温度") &&
                            fields.Read(r.returnTemperature, "回水温度") &&
                            fields.Read(r.pumpInletPressure, "循环水泵入口压力") &&
                            fields.Read(r.lastUserResistance, "最末端用户阻力") &&
                            fields.Read(r.localResistanceCoefficient, "局部阻力折算系数") &&
                            fields.Read(r.nodeCount, "节点数") &&
                            fields.Read(r.pipeCount, "管道数") &&
                            fields.Read(r.branchStartNode, "按300pa/m选择管径的起始节点号");
    if (!headerRead) return fields.Error();
    if (auto error = CheckCount(r.pipeCount, kMaxRecords, "管道数", fileName); !error.empty())
        return error;
    if (auto error = CheckCount(r.nodeCount, kMaxRecords + 1, "节点数", fileName); !error.empty())
        return error;
    for (int i = 1; i <= PipeRecordCount(r); ++i) {
        PipeSegment& pipe = r.pipes[i];
        const std::string which = "第" + std::to_string(i) + "根管道的";
        if (!(fields.Read(pipe.diameter, which + "管径") &&
              fields.Read(pipe.length, which + "管段长度") &&
              fields.Read(pipe.equivalentLength, which + "局部阻力折算长度") &&
              fields.Read(pipe.startNode, which + "管段起点编号") &&
              fields.Read(pipe.endNode, which + "管段终点编号")))
            return fields.Error();
    }
    for (int k = 1; k <= LoadRecordCount(r); ++k) {
        NodeLoad& load = r.loads[k];
        const std::string which = "第" + std::to_string(k) + "个节点的";
        if (!(fields.Read(load.node, which + "节点编号") &&
              fields.Read(load.load, which + "节点负荷")))
            return fields.Error();
    }
    data = r;
    return {};
}

ErrorMessage ReadBaseDataFile(const std::string& fileName, ProjectData& data) {
    std::optional<std::string> content = ReadWholeFile(fileName);
    if (!content) return "无法读取数据文件 " + fileName + ",请检查文件是否存在。";
    return ParseBaseData(*content, fileName, data);
}

std::string FormatBaseDataFile(const ProjectData& data) {
    auto field = [](const Number& n) { return NumberToFileText(n); };
    std::string text;
    auto line = [&text](std::initializer_list<std::string> fields) {
        bool first = true;
        for (const std::string& f : fields) {
            if (!first) text += ",";
            text += f;
            first = false;
        }
        text += "\r\n";
    };
    line({field(data.supplyTemperature), field(data.returnTemperature),
          field(data.pumpInletPressure), field(data.lastUserResistance),
          field(data.localResistanceCoefficient)});
    line({field(data.nodeCount), field(data.pipeCount)});
    line({field(data.branchStartNode)});
    for (int i = 1; i <= std::min(PipeRecordCount(data), kMaxRecords); ++i) {
        const PipeSegment& p = data.pipes[i];
        line({field(p.diameter), field(p.length), field(p.equivalentLength), field(p.startNode),
              field(p.endNode)});
    }
    for (int k = 1; k <= std::min(LoadRecordCount(data), kMaxRecords); ++k)
        line({field(data.loads[k].node), field(data.loads[k].load)});
    return text;
}

ErrorMessage WriteBaseDataFile(const std::string& fileName, const ProjectData& data) {
    if (PipeRecordCount(data) > kMaxRecords || LoadRecordCount(data) > kMaxRecords)
        return "管道数或节点数超过" + std::to_string(kMaxRecords) + ",数据文件 " + fileName +
               " 未写入。";
    if (!WriteFileReplacing(fileName, FormatBaseDataFile(data)))
        return "无法写入数据文件 " + fileName + ",请检查文件夹是否可写。";
    return {};
}

}  // namespace heatnet
