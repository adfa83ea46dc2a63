#pragma once

#include <string>
#include <string_view>

namespace heatnet {

// One field of a data file with its place, for messages that point the user to it.
struct Field {
    std::string_view text;
    int line = 0;    // 1-based
    int number = 0;  // 1-based position of the field within its line
};

// Splits a text into fields: a field ends at "," or at a line end (CR LF, LF or CR).
// A line end directly after a line's last field only delimits it; an empty line is
// one empty field.
class FieldReader {
public:
    explicit FieldReader(std::string_view content) : content_(content) {}

    bool Next(Field& field);
    // Line number of the last line the reader has reached, for "ends early" messages.
    int LastLine() const { return line_; }

private:
    std::string_view content_;
    size_t position_ = 0;
    int line_ = 1;
    int fieldInLine_ = 0;
};

}  // namespace heatnet
