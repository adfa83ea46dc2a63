#include <gtest/gtest.h>

#include "reports/format_picture.h"
#include "reports/print_line.h"

namespace heatnet {
namespace {

TEST(FormatWithPicture, WritesTheReportsPictures) {
    EXPECT_EQ(FormatWithPicture(12, "####0.#"), "12.");
    EXPECT_EQ(FormatWithPicture(0.5, "#####.0"), ".5");
    EXPECT_EQ(FormatWithPicture(25, "####0.#"), "25.");
    EXPECT_EQ(FormatWithPicture(25, "#####.0"), "25.0");
    EXPECT_EQ(FormatWithPicture(12, "#####.0"), "12.0");
    EXPECT_EQ(FormatWithPicture(0.8, "##0.##"), "0.8");
    EXPECT_EQ(FormatWithPicture(2, "##0.##"), "2.");
    EXPECT_EQ(FormatWithPicture(300, "####0.#"), "300.");
    EXPECT_EQ(FormatWithPicture(200, "####0.0#"), "200.0");
    EXPECT_EQ(FormatWithPicture(0, "###0.0#"), "0.0");
    EXPECT_EQ(FormatWithPicture(0, "#####.0"), ".0");
    EXPECT_EQ(FormatWithPicture(-5.29123, "##0.##"), "-5.29");
    EXPECT_EQ(FormatWithPicture(123456.789, "##0.##"), "123456.79");  // integer part never cut
}

TEST(FormatWithPicture, RoundsHalfAwayFromZeroOnFifteenDigits) {
    // 0.285 is stored just below 0.285; its 15-digit form is exactly halfway.
    EXPECT_EQ(FormatWithPicture(0.285, "###0.0#"), "0.29");
    EXPECT_EQ(FormatWithPicture(-0.285, "###0.0#"), "-0.29");
    EXPECT_EQ(FormatWithPicture(2.675, "###0.##"), "2.68");
    EXPECT_EQ(FormatWithPicture(0.05, "#####.0"), ".1");
    EXPECT_EQ(FormatWithPicture(0.04999, "#####.0"), ".0");
    EXPECT_EQ(FormatWithPicture(9.996, "###0.##"), "10.");
    EXPECT_EQ(FormatWithPicture(99.96, "#####.0"), "100.0");
    EXPECT_EQ(FormatWithPicture(0.00001, "###0.0#"), "0.0");
    // A negative value that rounds to zero keeps its sign.
    EXPECT_EQ(FormatWithPicture(-0.001, "###0.0#"), "-0.0");
    EXPECT_EQ(FormatWithPicture(-0.001, "#####.0"), "-.0");
}

TEST(PrintedText, TabsCountCharactersAndWrapPastTheColumn) {
    PrintedText out;
    out.Text("节点号").TabTo(10).Text("热负荷").TabTo(20).Text("x").TabTo(21).Text("y").EndLine();
    EXPECT_EQ(out.Utf8(), "节点号      热负荷       xy\r\n");

    PrintedText wrapped;
    wrapped.Text("123456").TabTo(4).Text("z").EndLine();
    EXPECT_EQ(wrapped.Utf8(), "123456\r\n   z\r\n");
}

TEST(PrintedText, NumbersWithoutPicture) {
    PrintedText out;
    out.Number(150.0).Number(-3.0).Number(0.25).Number(Number{}).Number(0.0);
    EXPECT_EQ(out.Utf8(), " 150 -3  .25  0 ");
}

}  // namespace
}  // namespace heatnet
