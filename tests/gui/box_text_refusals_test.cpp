// Box texts that are no number, and counts that are no usable whole number, are
// refused where a window stores its boxes.
#include "gui_test_support.h"

#include "data/base_data_file.h"

namespace heatnet::testing {
namespace {

using BoxTextRefusals = Program;

// The record a window shows and whether it is still open.
std::string Place(const QWidget* window) {
    const auto* records = qobject_cast<const RecordCaptionWindow*>(window);
    return (records ? records->RecordCaption().toStdString() : "") + (window->isVisible() ? "|open" : "|gone");
}

TEST_F(BoxTextRefusals, RefusedTextsStoreNothingOfTheirRecordAndKeepTheWindowOnTheBox) {
    entries.StartFillIn(File("net"));
    QWidget* basic = entries.BasicDataWindow();
    Type(basic, {{"Text6", "4"}, {"Text7", "3"}}, "Command4");
    Click(basic, "Command5");
    QWidget* pipes = entries.PipeSegmentWindow();
    QWidget* loads = entries.NodeLoadWindow();
    // Valid texts beside the refused ones: a record stored in part would show them.
    Type(pipes, {{"Text2", "5"}});
    Type(loads, {{"Text1", "6"}});
    struct Case { QWidget* window; const char* box; QString text; const char *button, *refusal; };
    for (const Case& c : std::initializer_list<Case>{
             {basic, "Text1", "abc", "Command1", "供水温度\"abc\"不是数字,请改正。"},
             {basic, "Text5", "0,4", "Command1", "局部阻力折算系数\"0,4\"不是数字,请改正。"},
             {basic, "Text7", "-3", "Command1", "管道数\"-3\"应为0到1400之间的整数,请改正。"},
             {basic, "Text7", "2.5", "Command1", "管道数\"2.5\"应为0到1400之间的整数,请改正。"},
             {basic, "Text7", "1401", "Command1", "管道数\"1401\"应为0到1400之间的整数,请改正。"},
             {basic, "Text6", "0", "Command1", "节点数\"0\"应为1到1401之间的整数,请改正。"},
             {basic, "Text6", "1402", "Command1", "节点数\"1402\"应为1到1401之间的整数,请改正。"},
             {pipes, "Text3", "DN150", "Command1", "管径\"DN150\"不是数字,请改正。"},
             {pipes, "Text5", "12m", "Command4", "管段长度\"12m\"不是数字,请改正。"},
             {pipes, "Text5", "1e3", "Command1", nullptr},
             {pipes, "Text3", "", "Command2", nullptr},  // unset, as before
             {loads, "Text2", "1,5", "Command1", "节点负荷\"1,5\"不是数字,请改正。"},
             {loads, "Text1", "7 8", "Command2", "节点编号\"7 8\"不是数字,请改正。"},
             {loads, "Text2", " 12 ", "Command4", nullptr}}) {
        auto* box = Find<QLineEdit>(c.window, c.box);
        const QString shown = box->text();
        dialogs.shown.clear();
        Type(c.window, {{c.box, c.text}});
        const std::string record = FormatBaseDataFile(data), place = Place(c.window);
        Click(c.window, c.button);
        if (!c.refusal) {
            EXPECT_EQ(dialogs.shown, Lines{}) << c.box << c.text.toStdString();
            EXPECT_NE(Place(c.window), place) << c.box << c.text.toStdString();  // moved on
            continue;
        }
        EXPECT_EQ(dialogs.shown, Lines{std::string("pelu|") + c.refusal});
        EXPECT_EQ(FormatBaseDataFile(data), record) << c.refusal;
        EXPECT_EQ(Place(c.window), place) << c.refusal;
        EXPECT_EQ(c.window->focusWidget(), box) << c.refusal;
        Type(c.window, {{c.box, shown}});  // so that later cases meet no refusal of this one
    }
    EXPECT_FALSE(std::filesystem::exists(File("net.TXT")));
}

}  // namespace
}  // namespace heatnet::testing
