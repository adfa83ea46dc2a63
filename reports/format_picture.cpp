#include "reports/format_picture.h"

#include <algorithm>
#include <cmath>

#include "data/number_text.h"

namespace heatnet {
namespace {

// Adds one unit in the last place of a digit string; "999" becomes "1000".
std::string IncrementDigits(std::string digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    return "1" + digits;
}

}  // namespace

std::string FormatWithPicture(double value, std::string_view picture) {
    const size_t point = picture.find('.');
    const std::string_view integerPicture = picture.substr(0, point);
    const std::string_view fractionPicture =
        point == std::string_view::npos ? std::string_view() : picture.substr(point + 1);
    const int mandatoryIntegerDigits =
        static_cast<int>(std::count(integerPicture.begin(), integerPicture.end(), '0'));
    const int mandatoryDecimals =
        static_cast<int>(std::count(fractionPicture.begin(), fractionPicture.end(), '0'));
    const int decimals = static_cast<int>(fractionPicture.size());
    const std::string sign = value < 0 ? "-" : "";
    if (!std::isfinite(value)) return sign + ToDecimalForm(value).digits;

    // Digits of the value scaled by 10^decimals, rounded to a whole number.
    const DecimalForm form = ToDecimalForm(value);
    std::string scaled;
    if (form.digits != "0") {
        const int kept = form.pointPosition + decimals;
        if (kept >= static_cast<int>(form.digits.size())) {
            scaled = form.digits + std::string(kept - form.digits.size(), '0');
        } else if (kept >= 0) {
            scaled = form.digits.substr(0, kept);
            if (form.digits[kept] >= '5') scaled = IncrementDigits(scaled.empty() ? "0" : scaled);
        }
    }
    if (static_cast<int>(scaled.size()) < decimals + 1)
        scaled.insert(0, decimals + 1 - scaled.size(), '0');

    std::string integer = scaled.substr(0, scaled.size() - decimals);
    std::string fraction = scaled.substr(scaled.size() - decimals);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    if (static_cast<int>(integer.size()) < mandatoryIntegerDigits)
        integer.insert(0, mandatoryIntegerDigits - integer.size(), '0');
    while (static_cast<int>(fraction.size()) > mandatoryDecimals && fraction.back() == '0')
        fraction.pop_back();
    return sign + integer + "." + fraction;
}

}  // namespace heatnet
