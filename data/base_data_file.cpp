#include "data/base_data_file.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <utility>

#include "data/field_reader.h"
#include "data/file_io.h"
#include "data/number_text.h"
#include "data/quoted_text.h"

namespace heatnet {
namespace {

bool IsSeparator(char c) {
    return c == '/' || c == static_cast<char>(std::filesystem::path::preferred_separator);
}

// Counts typed into a window can be anything; beyond the tables they only need
// to stay beyond them, and a double that does not fit an int must not be cast.
int RecordCount(double count) {
    if (!(count > 0)) return 0;
    if (count > kMaxRecords + 1) return kMaxRecords + 1;
    return static_cast<int>(count);
}

// Counts must be whole, not negative and within the record tables.
ErrorMessage CheckCount(const Number& count, int maximum, const char* label,
                        const std::string& fileName, const FieldPlace& place) {
    const double value = ValueOf(count);
    if (std::isfinite(value) && value == std::floor(value) && value >= 0 && value <= maximum)
        return {};
    return ValueInFile(fileName, place) + label + NumberInText(count) + "不可用:" + label + "应为0到" +
           std::to_string(maximum) + "之间的整数。";
}

class FieldSequence {
public:
    FieldSequence(std::string_view content, const std::string& fileName)
        : reader_(content), fileName_(fileName) {}

    // Reads the next field as a number and notes where it stood; on failure
    // fills error_ and returns false.
    bool Read(Number& target, const std::string& what, FieldPlace& place) {
        Field field;
        if (!reader_.Next(field)) {
            error_ = "数据文件 " + fileName_ + " 不完整:第" + std::to_string(reader_.LastLine()) +
                     "行之后数据已结束,缺少" + what + "。";
            return false;
        }
        std::optional<Number> number = ParseNumberField(field.text);
        if (!number) {
            error_ = Where(field) + QuotedForMessage(field.text) + "\"不是数字(" + what + "),请检查。";
            return false;
        }
        // 1e999 reads as an infinity, which no calculation or entry box can use.
        if (!std::isfinite(ValueOf(*number))) {
            error_ = Where(field) + QuotedForMessage(field.text) + "\"超出数值范围(" + what +
                     "),请检查。";
            return false;
        }
        target = *number;
        place = {field.line, field.number};
        return true;
    }

    const ErrorMessage& Error() const { return error_; }

private:
    std::string Where(const Field& field) const {
        return "数据文件 " + fileName_ + " 第" + std::to_string(field.line) + "行第" +
               std::to_string(field.number) + "个数据\"";
    }

    FieldReader reader_;
    std::string fileName_;
    ErrorMessage error_;
};

// A box may hold 1e999, which reads as an infinity; written out, it would make
// a file that no reader takes back.
std::string FirstInfiniteField(const ProjectData& data) {
    const std::pair<const Number*, const char*> header[] = {
        {&data.supplyTemperature, "供水温度"},
        {&data.returnTemperature, "回水温度"},
        {&data.pumpInletPressure, "循环水泵入口压力"},
        {&data.lastUserResistance, "最末端用户阻力"},
        {&data.localResistanceCoefficient, "局部阻力折算系数"},
        {&data.nodeCount, "节点数"},
        {&data.pipeCount, "管道数"},
        {&data.branchStartNode, "按300pa/m选择管径的起始节点号"}};
    for (const auto& [value, name] : header)
        if (!std::isfinite(ValueOf(*value))) return name;
    const char* pipeFields[] = {"管径", "管段长度", "局部阻力折算长度", "管段起点编号", "管段终点编号"};
    for (int i = 1; i <= std::min(PipeRecordCount(data), kMaxRecords); ++i) {
        const PipeSegment& p = data.pipes[i];
        const Number* values[] = {&p.diameter, &p.length, &p.equivalentLength, &p.startNode,
                                  &p.endNode};
        for (int f = 0; f < 5; ++f)
            if (!std::isfinite(ValueOf(*values[f])))
                return "第" + std::to_string(i) + "根管道的" + pipeFields[f];
    }
    for (int k = 1; k <= std::min(LoadRecordCount(data), kMaxRecords); ++k) {
        if (!std::isfinite(ValueOf(data.loads[k].node)))
            return "第" + std::to_string(k) + "个节点的节点编号";
        if (!std::isfinite(ValueOf(data.loads[k].load)))
            return "第" + std::to_string(k) + "个节点的节点负荷";
    }
    return {};
}

}  // namespace

std::string ValueInFile(const std::string& fileName, const FieldPlace& place) {
    if (place.line == 0) return "数据文件 " + fileName + " 中的";
    return "数据文件 " + fileName + " 第" + std::to_string(place.line) + "行第" +
           std::to_string(place.number) + "个数据中的";
}

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

int PipeRecordCount(const ProjectData& data) { return RecordCount(ValueOf(data.pipeCount)); }

int LoadRecordCount(const ProjectData& data) { return RecordCount(ValueOf(data.nodeCount) - 1); }

ErrorMessage ParseBaseData(const std::string& content, const std::string& fileName,
                           ProjectData& data) {
    std::string_view text = content;
    // Editors that save "UTF-8" put a byte-order mark first; the numbers after it
    // are the same, so the file reads as if it were not there.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    // UTF-16 puts a zero byte beside every digit: nothing would read as a number.
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") ||
        (text.size() >= 2 && (text[0] == '\0' || text[1] == '\0')))
        return "数据文件 " + fileName +
               " 是UTF-16(Unicode)编码的,无法读取。请在文本编辑器中另存为ANSI(GBK)或UTF-8编码。";
    auto read = std::make_unique<ProjectData>(data);
    FieldSequence fields(text, fileName);
    ProjectData& r = *read;
    ReadPlaces& places = r.readPlaces;
    places = {};
    const bool headerRead =
        fields.Read(r.supplyTemperature, "供水温度", places.header[0]) &&
        fields.Read(r.returnTemperature, "回水温度", places.header[1]) &&
        fields.Read(r.pumpInletPressure, "循环水泵入口压力", places.header[2]) &&
        fields.Read(r.lastUserResistance, "最末端用户阻力", places.header[3]) &&
        fields.Read(r.localResistanceCoefficient, "局部阻力折算系数", places.header[4]) &&
        fields.Read(r.nodeCount, "节点数", places.header[5]) &&
        fields.Read(r.pipeCount, "管道数", places.header[6]) &&
        fields.Read(r.branchStartNode, "按300pa/m选择管径的起始节点号", places.header[7]);
    if (!headerRead) return fields.Error();
    if (auto error = CheckCount(r.pipeCount, kMaxRecords, "管道数", fileName, places.header[6]);
        !error.empty())
        return error;
    if (auto error = CheckCount(r.nodeCount, kMaxRecords + 1, "节点数", fileName, places.header[5]);
        !error.empty())
        return error;
    places.pipes.resize(PipeRecordCount(r));
    for (int i = 1; i <= PipeRecordCount(r); ++i) {
        PipeSegment& pipe = r.pipes[i];
        std::array<FieldPlace, 5>& at = places.pipes[i - 1];
        const std::string which = "第" + std::to_string(i) + "根管道的";
        if (!(fields.Read(pipe.diameter, which + "管径", at[0]) &&
              fields.Read(pipe.length, which + "管段长度", at[1]) &&
              fields.Read(pipe.equivalentLength, which + "局部阻力折算长度", at[2]) &&
              fields.Read(pipe.startNode, which + "管段起点编号", at[3]) &&
              fields.Read(pipe.endNode, which + "管段终点编号", at[4])))
            return fields.Error();
    }
    places.loads.resize(LoadRecordCount(r));
    for (int k = 1; k <= LoadRecordCount(r); ++k) {
        NodeLoad& load = r.loads[k];
        std::array<FieldPlace, 2>& at = places.loads[k - 1];
        const std::string which = "第" + std::to_string(k) + "个节点的";
        if (!(fields.Read(load.node, which + "节点编号", at[0]) &&
              fields.Read(load.load, which + "节点负荷", at[1])))
            return fields.Error();
    }
    data = r;
    return {};
}

ErrorMessage ReadBaseDataFile(const std::string& fileName, ProjectData& data) {
    std::optional<std::string> content = ReadWholeFile(fileName);
    if (!content && IsTooLargeToRead(fileName))
        return "数据文件 " + fileName + " 超过" + std::to_string(kMaxReadBytes >> 20) +
               "MB,不是基本数据文件,请检查文件名。";
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
    if (const std::string field = FirstInfiniteField(data); !field.empty())
        return "数据文件 " + fileName + " 未写入:" + field + "超出数值范围,请检查。";
    if (!WriteFileReplacing(fileName, FormatBaseDataFile(data)))
        return "无法写入数据文件 " + fileName + ",请检查文件夹是否可写。";
    return {};
}

}  // namespace heatnet
