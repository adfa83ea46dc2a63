#include "data/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace heatnet {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest beginning of text that forms a decimal number
// (optional sign, digits with optional point and fraction, optional exponent); 0 if none.
size_t NumberPrefixLength(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++mantissaDigits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        size_t exponentDigits = 0;
        while (j < text.size() && IsDigit(text[j])) ++j, ++exponentDigits;
        if (exponentDigits > 0) i = j;
    }
    return i;
}

// Converts a text that is exactly a decimal number, independently of the C locale
// (the GUI sets the user's locale, whose decimal separator may be ",").
double ConvertNumber(std::string_view number) {
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0.0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow and underflow alike.
        auto exponentAt = number.find_first_of("Ee");
        bool tiny = exponentAt != std::string_view::npos && exponentAt + 1 < number.size() &&
                    number[exponentAt + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

DecimalForm ToDecimalForm(double value) {
    DecimalForm form;
    form.negative = value < 0;
    if (value == 0 || !std::isfinite(value)) {
        form.digits = std::isfinite(value) ? "0" : (std::isnan(value) ? "nan" : "inf");
        return form;
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    // buffer: d.dddddddddddddde[+-]xx
    std::string text(buffer);
    auto exponentAt = text.find('e');
    form.digits = text.substr(0, 1) + text.substr(2, exponentAt - 2);
    form.pointPosition = std::stoi(text.substr(exponentAt + 1)) + 1;
    while (form.digits.size() > 1 && form.digits.back() == '0') form.digits.pop_back();
    return form;
}

std::string PlainMagnitudeText(double value) {
    DecimalForm form = ToDecimalForm(value);
    if (form.digits == "0" || !std::isfinite(value)) return form.digits;
    const int count = static_cast<int>(form.digits.size());
    std::string text;
    if (form.pointPosition <= 0) {
        text.assign(1, '.');
        text.append(-form.pointPosition, '0');
        text.append(form.digits);
    } else if (form.pointPosition >= count) {
        text = form.digits;
        text.append(form.pointPosition - count, '0');
    } else {
        text = form.digits;
        text.insert(form.pointPosition, 1, '.');
    }
    return text;
}

std::string SignedPlainText(double value) {
    std::string text(1, value < 0 ? '-' : ' ');
    text.append(PlainMagnitudeText(value));
    return text;
}

double TextToNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    size_t length = NumberPrefixLength(text);
    return length == 0 ? 0.0 : ConvertNumber(text.substr(0, length));
}

std::string NumberToBoxText(const Number& number) {
    if (!number) return " 0";
    const double value = *number;
    const std::string sign = value < 0 ? "-" : " ";
    DecimalForm form = ToDecimalForm(value);
    // Very large and very small magnitudes take the exponent form, which the
    // field reader reads back: 1E-05, 1.5E+20.
    const bool exponentForm = std::isfinite(value) && form.digits != "0" &&
                              (form.pointPosition > 15 || form.pointPosition <= -4);
    if (!exponentForm) return sign + PlainMagnitudeText(value);
    std::string mantissa = form.digits.substr(0, 1);
    if (form.digits.size() > 1) mantissa += "." + form.digits.substr(1);
    const int exponent = form.pointPosition - 1;
    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+',
                  exponent < 0 ? -exponent : exponent);
    return sign + mantissa + exponentText;
}

std::string NumberToFileText(const Number& number) {
    return number ? NumberToBoxText(number) + " " : std::string();
}

std::string NumberInText(const Number& number) {
    std::string text = NumberToBoxText(number);
    return text.front() == ' ' ? text.substr(1) : text;
}

std::optional<Number> ParseNumberField(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) return Number{};
    if (NumberPrefixLength(text) != text.size()) return std::nullopt;
    return Number{ConvertNumber(text)};
}

}  // namespace heatnet
