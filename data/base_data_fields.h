#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "data/project_data.h"

namespace heatnet {

// What a value must be for a calculation to use it.
struct FieldRule {
    const char* requirement;  // follows the field's name in the message
    bool (*accepts)(double);  // called with finite values only
};

// Non-finite values break every rule; this is what the message then asks for.
extern const FieldRule kFiniteRule;

// One field of the basic data file: where it is kept, the name every message
// gives it, and the rule the checks hold it to (none for the counts, which the
// reader holds to the record tables).
template <typename Record>
struct BaseDataField {
    Number Record::*member;
    const char* label;
    const FieldRule* rule;
};

using HeaderField = BaseDataField<ProjectData>;
using SegmentField = BaseDataField<PipeSegment>;
using LoadField = BaseDataField<NodeLoad>;

// The fields in the order of the file, which is also the order of ReadPlaces
// and the order in which the checks name the first wrong value.
extern const std::array<HeaderField, 8> kHeaderFields;
extern const std::array<SegmentField, 5> kSegmentFields;  // one line per segment
extern const std::array<LoadField, 2> kLoadFields;        // one line per load

// The writer puts the header fields five, two and one to a line.
inline constexpr std::array<std::size_t, 3> kHeaderFieldsPerLine = {5, 2, 1};

// Positions of the counts in kHeaderFields.
inline constexpr std::size_t kNodeCountField = 5;
inline constexpr std::size_t kPipeCountField = 6;

// What precedes a field's name when it belongs to a record: "第3根管道的".
std::string SegmentRecordName(int record);
std::string LoadRecordName(int record);

}  // namespace heatnet
