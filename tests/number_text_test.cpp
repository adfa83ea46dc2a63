// The number texts of boxes, files and the report's pictures, each as a table of
// inputs and expected results.
#include <gtest/gtest.h>

#include "data/number_text.h"
#include "reports/format_picture.h"

namespace heatnet {
namespace {

TEST(NumberTexts, TextToNumberTakesTheLongestNumberAtTheStart) {
    const std::vector<std::pair<std::string, double>> rows = {
        {"", 0}, {"   ", 0}, {"Text6", 0}, {" 12.5", 12.5}, {"1,5", 1}, {"\t-2.5kPa", -2.5},
        {".4", 0.4}, {"+3", 3}, {"1E-05", 1e-5}, {"2e", 2}, {"-", 0}};
    for (const auto& [text, value] : rows) EXPECT_EQ(TextToNumber(text), value) << text;
}

TEST(NumberTexts, BoxAndFileFormsAtMost15DigitsAndReadBack) {
    const std::vector<std::tuple<Number, std::string, std::string>> rows = {  // value, box, file
        {130.0, " 130", " 130 "}, {0.4, " .4", " .4 "}, {-2.5, "-2.5", "-2.5 "}, {-0.25, "-.25", "-.25 "},
        {Number{}, " 0", ""}, {0.0, " 0", " 0 "},
        // The binary noise of sums disappears in 15 significant digits.
        {0.1 + 0.2, " .3", " .3 "}, {100 * 1.4, " 140", " 140 "},
        {123456789012345.0, " 123456789012345", " 123456789012345 "}, {0.0001, " .0001", " .0001 "},
        // Extreme magnitudes take an exponent.
        {1e-5, " 1E-05", " 1E-05 "}, {-1.5e20, "-1.5E+20", "-1.5E+20 "}, {1e15, " 1E+15", " 1E+15 "},
        {2.5e-300, " 2.5E-300", " 2.5E-300 "}, {123456789.123456, " 123456789.123456", " 123456789.123456 "}};
    for (const auto& [value, box, file] : rows) {
        SCOPED_TRACE(box);
        EXPECT_EQ(NumberToBoxText(value), box);
        EXPECT_EQ(NumberToFileText(value), file);
        // Each form reads back to itself.
        EXPECT_EQ(NumberToBoxText(TextToNumber(box)), box);
        EXPECT_EQ(NumberToFileText(ParseNumberField(file).value()), file);
    }
}

TEST(NumberTexts, ParseNumberFieldAcceptsWholeNumbersOnly) {
    const std::vector<std::pair<std::string, std::optional<Number>>> rows = {
        {"  ", Number{}}, {" 130 ", 130.0}, {"\t-.5\t", -0.5}, {"5.", 5.0}, {"1.5E+3", 1500.0},
        {"12a", std::nullopt}, {"1 2", std::nullopt}, {"nan", std::nullopt}, {"1e", std::nullopt},
        {".", std::nullopt}, {"130,", std::nullopt}, {"0x10", std::nullopt}};
    for (const auto& [text, field] : rows) EXPECT_EQ(ParseNumberField(text), field) << text;
}

TEST(NumberTexts, FormatPicturesRoundHalfAwayFromZeroOn15Digits) {
    const std::vector<std::tuple<double, const char*, const char*>> rows = {
        {12, "####0.#", "12."}, {0.5, "#####.0", ".5"}, {25, "#####.0", "25.0"}, {0.8, "##0.##", "0.8"},
        {2, "##0.##", "2."}, {200, "####0.0#", "200.0"}, {0, "###0.0#", "0.0"}, {0, "#####.0", ".0"},
        {-5.29123, "##0.##", "-5.29"}, {123456.789, "##0.##", "123456.79"},  // the integer part is never cut
        // 0.285 is stored just below 0.285; its 15-digit form is exactly halfway.
        {0.285, "###0.0#", "0.29"}, {-0.285, "###0.0#", "-0.29"}, {2.675, "###0.##", "2.68"},
        {0.05, "#####.0", ".1"}, {0.25, "#####.#", ".3"}, {0.35, "#####.#", ".4"}, {0.125, "####0.##", "0.13"},
        {0.04999, "#####.0", ".0"}, {9.996, "###0.##", "10."}, {99.96, "#####.0", "100.0"}, {0.00001, "###0.0#", "0.0"},
        // A negative value that rounds to zero keeps its sign.
        {-0.001, "###0.0#", "-0.0"}, {-0.001, "#####.0", "-.0"}};
    for (const auto& [value, picture, text] : rows) EXPECT_EQ(FormatWithPicture(value, picture), text) << value << " " << picture;
}

}  // namespace
}  // namespace heatnet
