#include <gtest/gtest.h>

#include "app/desktop_program.h"
#include "gui_test_support.h"
#include "scripted_dialogs.h"

namespace heatnet {
namespace {

using testing::Click;
using testing::CrLfLines;
using testing::ReadBytes;
using testing::Text;
using testing::Type;

// A three-segment network entered through the main window, the picker and the
// three entry windows, as a person would.
TEST(WholeFillIn, ThreeSegmentNetworkIsWrittenExactly) {
    testing::TemporaryFolder folder;
    testing::CurrentFolder current(folder.Path());
    testing::ScriptedDialogs dialogs;
    DesktopProgram program(dialogs, [](const std::string&) { return true; });
    program.MainWindow().show();

    Click(&program.MainWindow(), "Command3");
    Type(program.MainWindow().Picker(), "txtSearchSpec", "three");
    Click(program.MainWindow().Picker(), "cmdSearch");
    SRSJ0* basic = program.Entries().BasicDataWindow();
    ASSERT_NE(basic, nullptr);
    EXPECT_EQ(basic->windowTitle().toStdString(), "基本数据");
    Type(basic, "Text6", "5");
    Type(basic, "Text7", "3");

    Click(basic, "Command4");
    srsj* pipes = program.Entries().PipeSegmentWindow();
    ASSERT_NE(pipes, nullptr);
    EXPECT_EQ(pipes->windowTitle().toStdString(), "输入数据");
    Type(pipes, "Text2", "1");
    Type(pipes, "Text3", "150");
    Type(pipes, "Text5", "120");
    Type(pipes, "Text6", "0");  // no local resistances: overwrite the proposed 48
    Click(pipes, "Command1");
    EXPECT_EQ(Text(pipes, "Text1"), " 1");
    Type(pipes, "Text2", "4");
    Type(pipes, "Text5", "80");  // keeps the proposed 32 and the diameter 0
    Click(pipes, "Command4");    // segment 3 is never entered

    Click(basic, "Command5");
    FHSR* loads = program.Entries().NodeLoadWindow();
    ASSERT_NE(loads, nullptr);
    EXPECT_EQ(loads->windowTitle().toStdString(), "节点负荷输入");
    Type(loads, "Text1", "1");
    Type(loads, "Text2", "0.5");
    Click(loads, "Command1");
    Type(loads, "Text1", "4");
    Type(loads, "Text2", "-2.5");
    Click(loads, "Command1");
    Type(loads, "Text1", "8");  // typed on record 3 but never stored

    Click(basic, "Command1");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(ReadBytes(folder.File("three.TXT")),
              CrLfLines({" 130 , 70 , 200 , 50 , .4 ", " 5 , 3 ", " 0 ", " 150 , 120 , 0 , 0 , 1 ",
                         " 0 , 80 , 32 , 1 , 4 ", ",,,,", " 1 , .5 ", " 4 ,-2.5 ", ",", ","}));
    EXPECT_FALSE(basic->isVisible());
    EXPECT_TRUE(loads->isVisible());  // the record windows stay open
    testing::DeleteClosedWindows();
}

}  // namespace
}  // namespace heatnet
