#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>

#include <QString>

#include "data/base_data_fields.h"
#include "app/entry_windows/window_dialogs.h"

class QLineEdit;

namespace heatnet {

// The whole numbers a count box takes.
struct CountRange {
    int lowest;
    int highest;
};

// Why a box's text cannot be stored, nullopt when it can. Blanks around it do not
// count and an empty box stays allowed; anything else must be one number from end
// to end, as the data file reader takes a field, so that "abc" is not taken as 0
// nor "1,5" as 1. A count must also be a whole number within its range.
std::optional<std::string> BoxRefusal(const QString& text, const char* label,
                                      const std::optional<CountRange>& count = std::nullopt);

// A box a window stores, named by the label of its field.
struct LabelledBox {
    QLineEdit* box;
    const char* label;
    std::optional<CountRange> count = std::nullopt;
};

// The label the fields table gives a record's member, for the box that shows it.
template <typename Record, std::size_t N>
const char* LabelOf(const std::array<BaseDataField<Record>, N>& fields, Number Record::*member) {
    for (const BaseDataField<Record>& field : fields)
        if (field.member == member) return field.label;
    return "";
}

// Whether every box can be stored. If one cannot, says why, puts the focus on it
// and returns false: the window then stores nothing of its record and stays.
bool BoxesCanBeStored(std::initializer_list<LabelledBox> boxes, WindowDialogs& dialogs);

}  // namespace heatnet
