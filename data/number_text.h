#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/number.h"

namespace heatnet {

// A finite double written with at most 15 significant digits: the digit string
// (no trailing zeros, "0" for zero) and where the decimal point falls in it.
struct DecimalForm {
    bool negative = false;
    std::string digits;
    int pointPosition = 1;  // digits before the point; may be <= 0 or beyond digits
};

DecimalForm ToDecimalForm(double value);

// The magnitude in plain decimal form without a zero before the point:
// 130, .4, 2.5, 100000 (never an exponent).
std::string PlainMagnitudeText(double value);

// Sign position (" " or "-") followed by the plain magnitude.
std::string SignedPlainText(double value);

double TextToNumber(std::string_view text);
std::string NumberToBoxText(const Number& number);
std::string NumberToFileText(const Number& number);
// The box form without its sign blank, for numbers inside a sentence.
std::string NumberInText(const Number& number);

// A whole field of a data file: blanks around it ignored, empty gives unset,
// anything that is not entirely a decimal number gives std::nullopt.
std::optional<Number> ParseNumberField(std::string_view text);

}  // namespace heatnet
