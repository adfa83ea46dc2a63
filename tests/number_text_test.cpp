#include <gtest/gtest.h>

#include "data/number_text.h"

namespace heatnet {
namespace {

TEST(TextToNumber, TakesTheLongestNumberAtTheStart) {
    EXPECT_EQ(TextToNumber(""), 0);
    EXPECT_EQ(TextToNumber("   "), 0);
    EXPECT_EQ(TextToNumber("Text6"), 0);
    EXPECT_EQ(TextToNumber(" 12.5"), 12.5);
    EXPECT_EQ(TextToNumber("1,5"), 1);
    EXPECT_EQ(TextToNumber("\t-2.5kPa"), -2.5);
    EXPECT_EQ(TextToNumber(".4"), 0.4);
    EXPECT_EQ(TextToNumber("+3"), 3);
    EXPECT_EQ(TextToNumber("1E-05"), 1e-5);
    EXPECT_EQ(TextToNumber("2e"), 2);  // an exponent without digits is not part of the number
    EXPECT_EQ(TextToNumber("-"), 0);
}

TEST(NumberToText, BoxAndFileForms) {
    EXPECT_EQ(NumberToBoxText(130.0), " 130");
    EXPECT_EQ(NumberToBoxText(0.4), " .4");
    EXPECT_EQ(NumberToBoxText(-2.5), "-2.5");
    EXPECT_EQ(NumberToBoxText(-0.25), "-.25");
    EXPECT_EQ(NumberToBoxText(Number{}), " 0");
    EXPECT_EQ(NumberToBoxText(0.0), " 0");
    EXPECT_EQ(NumberToFileText(130.0), " 130 ");
    EXPECT_EQ(NumberToFileText(-2.5), "-2.5 ");
    EXPECT_EQ(NumberToFileText(Number{}), "");
    // At most 15 significant digits: the binary noise of sums disappears.
    EXPECT_EQ(NumberToBoxText(0.1 + 0.2), " .3");
    EXPECT_EQ(NumberToBoxText(100 * 1.4), " 140");
    EXPECT_EQ(NumberToBoxText(123456789012345.0), " 123456789012345");
    EXPECT_EQ(NumberToBoxText(0.0001), " .0001");
}

TEST(NumberToText, ExtremeMagnitudesUseAnExponentThatReadsBack) {
    for (double value : {1e-5, -1.5e20, 1e15, 2.5e-300, 123456789.123456}) {
        const std::string text = NumberToBoxText(value);
        EXPECT_EQ(TextToNumber(text), value) << text;
        auto field = ParseNumberField(NumberToFileText(value));
        ASSERT_TRUE(field.has_value()) << text;
        EXPECT_EQ(ValueOf(*field), value) << text;
    }
    EXPECT_EQ(NumberToBoxText(1e-5), " 1E-05");
    EXPECT_EQ(NumberToBoxText(-1.5e20), "-1.5E+20");
}

TEST(ParseNumberField, AcceptsWholeNumbersOnly) {
    using Field = std::optional<Number>;
    EXPECT_EQ(ParseNumberField("  "), Field(Number{}));
    EXPECT_EQ(ParseNumberField(" 130 "), Field(130.0));
    EXPECT_EQ(ParseNumberField("\t-.5\t"), Field(-0.5));
    EXPECT_EQ(ParseNumberField("5."), Field(5.0));
    EXPECT_EQ(ParseNumberField("1.5E+3"), Field(1500.0));
    EXPECT_FALSE(ParseNumberField("12a").has_value());
    EXPECT_FALSE(ParseNumberField("1 2").has_value());
    EXPECT_FALSE(ParseNumberField("nan").has_value());
    EXPECT_FALSE(ParseNumberField("1e").has_value());
    EXPECT_FALSE(ParseNumberField(".").has_value());
}

}  // namespace
}  // namespace heatnet
