#include "data/field_reader.h"

namespace heatnet {

bool FieldReader::Next(Field& field) {
    if (position_ >= content_.size()) return false;
    const size_t start = position_;
    size_t end = start;
    while (end < content_.size() && content_[end] != ',' && content_[end] != '\r' &&
           content_[end] != '\n')
        ++end;
    field.text = content_.substr(start, end - start);
    field.line = line_;
    field.number = ++fieldInLine_;
    if (end >= content_.size()) {
        position_ = end;
    } else if (content_[end] == ',') {
        position_ = end + 1;
    } else {
        position_ = end + ((content_[end] == '\r' && end + 1 < content_.size() &&
                            content_[end + 1] == '\n') ? 2 : 1);
        ++line_;
        fieldInLine_ = 0;
    }
    return true;
}

}  // namespace heatnet
