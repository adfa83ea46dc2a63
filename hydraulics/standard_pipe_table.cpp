#include "hydraulics/standard_pipe_table.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "data/file_io.h"
#include "data/number_text.h"
#include "data/quoted_text.h"

namespace heatnet {
namespace {

constexpr double kRoughness = 0.5;  // mm
// 8 / pi^2 with flows in t/h and diameters in mm, rounded as the handbooks print
// it: turns lambda / (d^5 rho) into Pa/m per (t/h)^2.
constexpr double kFrictionUnits = 6.25e13;
// The rough-pipe law needs diameters well above the roughness, and d^5 must stay
// a normal double: both hold far beyond any pipe that is made.
constexpr double kSmallestDiameter = 1;      // mm
constexpr double kLargestDiameter = 10000;   // mm

bool IsTableSeparator(char c) {
    return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

double WaterDensity(double meanTemperature) {
    const double t = meanTemperature;
    return 1007 - 0.27 * t - 0.0022 * (t * t);
}

double RoughPipeFrictionFactor(double diameter) {
    const double base = 1.14 + std::log(diameter / kRoughness) * 2 / std::log(10.0);
    return 1 / (base * base);
}

std::string StandardPipeTable::Load(const std::string& path, double density) {
    std::optional<std::string> text = ReadWholeFile(path);
    if (!text) return "找不到标准管径表 " + path + ",无法计算。";
    return LoadFromText(*text, path, density);
}

std::string StandardPipeTable::LoadFromText(const std::string& text, const std::string& path,
                                            double density) {
    // Numbers may stand one per line, on one line separated by commas, or by blanks.
    std::array<double, kSizes + 1> read{};
    // A table saved as UTF-8 by an editor starts with a byte-order mark.
    size_t at = std::string_view(text).starts_with("\xEF\xBB\xBF") ? 3 : 0;
    for (int i = 1; i <= kSizes; ++i) {
        while (at < text.size() && IsTableSeparator(text[at])) ++at;
        const size_t start = at;
        while (at < text.size() && !IsTableSeparator(text[at])) ++at;
        if (start == at)
            return "标准管径表 " + path + " 只有" + std::to_string(i - 1) + "个管径,应有" +
                   std::to_string(kSizes) + "个,无法计算。";
        std::optional<Number> number = ParseNumberField(std::string_view(text).substr(start, at - start));
        const std::string_view item = std::string_view(text).substr(start, at - start);
        if (!number || !std::isfinite(ValueOf(*number)))
            return "标准管径表 " + path + " 的第" + std::to_string(i) + "个管径\"" +
                   QuotedForMessage(item) + "\"不是数字,无法计算。";
        read[i] = ValueOf(*number);
        if (read[i] <= 0 || (i > 1 && read[i] <= read[i - 1]))
            return "标准管径表 " + path + " 的管径应为由小到大排列的正数(第" +
                   std::to_string(i) + "个不符),无法计算。";
        if (read[i] < kSmallestDiameter || read[i] > kLargestDiameter)
            return "标准管径表 " + path + " 的第" + std::to_string(i) + "个管径" +
                   NumberInText(read[i]) + "不可用:管径应在1到10000mm之间,无法计算。";
    }
    for (int i = 1; i <= kSizes; ++i) {
        const double d = read[i];
        diameter_[i] = d;
        lambda_[i] = RoughPipeFrictionFactor(d);
        coefficient_[i] = kFrictionUnits * lambda_[i] / (std::pow(d, 5) * density);
    }
    return {};
}

int StandardPipeTable::InitialSize(double givenDiameter) const {
    for (int i = 1; i <= kSizes; ++i)
        if (diameter_[i] >= givenDiameter) return i;
    return kSizes;
}

}  // namespace heatnet
