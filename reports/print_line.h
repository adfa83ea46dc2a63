#pragma once

#include <string>
#include <string_view>

#include "data/number.h"

namespace heatnet {

// Builds fixed-column text the way the report prints it: items are placed by
// tabbing to 1-based columns that count characters (a Chinese character is one).
// Text is kept in UTF-8 and lines end with CR LF.
class PrintedText {
public:
    // Spaces up to the column; at it, nothing; past it, a new line and column - 1 spaces.
    PrintedText& TabTo(int column);
    PrintedText& Text(std::string_view utf8);
    // A number without picture: sign position, plain digits, one trailing blank;
    // an unset value writes nothing.
    PrintedText& Number(const heatnet::Number& value);
    PrintedText& Formatted(double value, std::string_view picture);
    PrintedText& EndLine();

    const std::string& Utf8() const { return text_; }

private:
    std::string text_;
    int column_ = 1;  // column of the next character
};

}  // namespace heatnet
