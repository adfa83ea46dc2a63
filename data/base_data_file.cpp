#include "data/base_data_file.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <span>

#include "data/base_data_fields.h"
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
ErrorMessage CheckCount(const ProjectData& data, size_t field, int maximum,
                        const std::string& fileName) {
    const Number& count = data.*kHeaderFields[field].member;
    const char* label = kHeaderFields[field].label;
    const double value = ValueOf(count);
    if (std::isfinite(value) && value == std::floor(value) && value >= 0 && value <= maximum)
        return {};
    return ValueInFile(fileName, data.readPlaces.header[field]) + label + NumberInText(count) +
           "不可用:" + label + "应为0到" + std::to_string(maximum) + "之间的整数。";
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

// The first field of `record` whose value is not finite, named after `recordName`.
template <typename Record, size_t N>
std::string FirstInfiniteOf(const Record& record, const std::array<BaseDataField<Record>, N>& fields,
                            const std::string& recordName) {
    for (const BaseDataField<Record>& field : fields)
        if (!std::isfinite(ValueOf(record.*field.member))) return recordName + field.label;
    return {};
}

// A box may hold 1e999, which reads as an infinity; written out, it would make
// a file that no reader takes back.
std::string FirstInfiniteField(const ProjectData& data) {
    if (std::string name = FirstInfiniteOf(data, kHeaderFields, ""); !name.empty()) return name;
    for (int i = 1; i <= std::min(PipeRecordCount(data), kMaxRecords); ++i)
        if (std::string name = FirstInfiniteOf(data.pipes[i], kSegmentFields, SegmentRecordName(i));
            !name.empty())
            return name;
    for (int k = 1; k <= std::min(LoadRecordCount(data), kMaxRecords); ++k)
        if (std::string name = FirstInfiniteOf(data.loads[k], kLoadFields, LoadRecordName(k));
            !name.empty())
            return name;
    return {};
}

// The fields of `record` on one line of the file, separated by commas.
template <typename Record>
void AppendLine(std::string& text, const Record& record,
                std::span<const BaseDataField<Record>> fields) {
    for (size_t f = 0; f < fields.size(); ++f) {
        if (f > 0) text += ",";
        text += NumberToFileText(record.*fields[f].member);
    }
    text += "\r\n";
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

std::string WildcardNameMessage(const std::string& name) {
    return "文件名 " + name + " 含有通配符 * 或 ?,请先选择或输入一个数据文件名。";
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
    for (size_t f = 0; f < kHeaderFields.size(); ++f)
        if (!fields.Read(r.*kHeaderFields[f].member, kHeaderFields[f].label, places.header[f]))
            return fields.Error();
    if (auto error = CheckCount(r, kPipeCountField, kMaxRecords, fileName); !error.empty())
        return error;
    if (auto error = CheckCount(r, kNodeCountField, kMaxRecords + 1, fileName); !error.empty())
        return error;
    places.pipes.resize(PipeRecordCount(r));
    for (int i = 1; i <= PipeRecordCount(r); ++i) {
        const std::string record = SegmentRecordName(i);
        for (size_t f = 0; f < kSegmentFields.size(); ++f)
            if (!fields.Read(r.pipes[i].*kSegmentFields[f].member, record + kSegmentFields[f].label,
                             places.pipes[i - 1][f]))
                return fields.Error();
    }
    places.loads.resize(LoadRecordCount(r));
    for (int k = 1; k <= LoadRecordCount(r); ++k) {
        const std::string record = LoadRecordName(k);
        for (size_t f = 0; f < kLoadFields.size(); ++f)
            if (!fields.Read(r.loads[k].*kLoadFields[f].member, record + kLoadFields[f].label,
                             places.loads[k - 1][f]))
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
    std::string text;
    std::span<const HeaderField> header = kHeaderFields;
    for (const size_t length : kHeaderFieldsPerLine) {
        AppendLine(text, data, header.first(length));
        header = header.subspan(length);
    }
    for (int i = 1; i <= std::min(PipeRecordCount(data), kMaxRecords); ++i)
        AppendLine(text, data.pipes[i], std::span<const SegmentField>(kSegmentFields));
    for (int k = 1; k <= std::min(LoadRecordCount(data), kMaxRecords); ++k)
        AppendLine(text, data.loads[k], std::span<const LoadField>(kLoadFields));
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
