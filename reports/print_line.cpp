#include "reports/print_line.h"

#include "data/number_text.h"
#include "reports/format_picture.h"

namespace heatnet {
namespace {

int CountCharacters(std::string_view utf8) {
    int count = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++count;
    return count;
}

}  // namespace

PrintedText& PrintedText::TabTo(int column) {
    if (column_ > column) {
        EndLine();
        text_.append(column - 1, ' ');
        column_ = column;
    } else if (column_ < column) {
        text_.append(column - column_, ' ');
        column_ = column;
    }
    return *this;
}

PrintedText& PrintedText::Text(std::string_view utf8) {
    text_ += utf8;
    column_ += CountCharacters(utf8);
    return *this;
}

PrintedText& PrintedText::Number(const heatnet::Number& value) {
    if (!value) return *this;
    return Text(SignedPlainText(*value) + " ");
}

PrintedText& PrintedText::Formatted(double value, std::string_view picture) {
    return Text(FormatWithPicture(value, picture));
}

PrintedText& PrintedText::EndLine() {
    text_ += "\r\n";
    column_ = 1;
    return *this;
}

}  // namespace heatnet
