#include "data/base_data_checks.h"

#include <cmath>
#include <optional>

#include "data/base_data_fields.h"
#include "data/base_data_file.h"
#include "data/number_text.h"

namespace heatnet {
namespace {

class RecordCheck {
public:
    explicit RecordCheck(const std::string& fileName) : fileName_(fileName) {}

    // Notes the first value that breaks its rule; later ones are not looked at.
    // `record` names the segment or load record ("第3根管道的"), empty for the header.
    void Check(const Number& value, const std::string& record, const char* name,
               const FieldRule& rule, const FieldPlace& place) {
        if (error_) return;
        const double v = ValueOf(value);
        const bool finite = std::isfinite(v);
        if (finite && rule.accepts(v)) return;
        error_ = ValueInFile(fileName_, place) + record + name + NumberInText(value) + "不可用:" +
                 name + (finite ? rule.requirement : kFiniteRule.requirement) + "。";
    }

    // Each field of `record` that has a rule, in the order of the file.
    template <typename Record, size_t N>
    void CheckFields(const Record& record, const std::array<BaseDataField<Record>, N>& fields,
                     const std::string& recordName, const auto& placeOf) {
        for (size_t f = 0; f < N; ++f)
            if (fields[f].rule)
                Check(record.*fields[f].member, recordName, fields[f].label, *fields[f].rule,
                      placeOf(f));
    }

    std::string Error() const { return error_.value_or(""); }

private:
    const std::string& fileName_;
    std::optional<std::string> error_;
};

// Values entered in the windows have no place in a file.
template <size_t N>
FieldPlace PlaceIn(const std::vector<std::array<FieldPlace, N>>& places, int record, size_t field) {
    const size_t index = static_cast<size_t>(record - 1);
    return index < places.size() ? places[index][field] : FieldPlace{};
}

}  // namespace

std::string CheckBaseData(const ProjectData& data, const std::string& fileName) {
    RecordCheck check(fileName);
    const ReadPlaces& at = data.readPlaces;
    check.CheckFields(data, kHeaderFields, "", [&](size_t f) { return at.header[f]; });
    for (int i = 1; i <= PipeRecordCount(data) && i <= kMaxRecords; ++i)
        check.CheckFields(data.pipes[i], kSegmentFields, SegmentRecordName(i),
                          [&](size_t f) { return PlaceIn(at.pipes, i, f); });
    for (int k = 1; k <= LoadRecordCount(data) && k <= kMaxRecords; ++k)
        check.CheckFields(data.loads[k], kLoadFields, LoadRecordName(k),
                          [&](size_t f) { return PlaceIn(at.loads, k, f); });
    return check.Error();
}

}  // namespace heatnet
