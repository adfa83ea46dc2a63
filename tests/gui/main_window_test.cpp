#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "app/desktop_program.h"
#include "gui_test_support.h"
#include "scripted_dialogs.h"

namespace heatnet {
namespace {

using testing::Click;

class MainWindow : public ::testing::Test {
protected:
    void TearDown() override { testing::DeleteClosedWindows(); }
    static int OpenPickers() {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            count += window->objectName() == "hlwj" && window->isVisible();
        return count;
    }

    testing::ScriptedDialogs dialogs;
    DesktopProgram program{dialogs, [](const std::string&) { return true; }};
    Form1& form1 = program.MainWindow();
};

TEST_F(MainWindow, FileCommandsShareOnePickerAndTheLastOneCounts) {
    form1.show();
    Click(&form1, "Command3");
    EXPECT_EQ(program.Flow().CommandMode, CommandMode::kFillIn);
    Click(&form1, "Command3");
    Click(&form1, "Command1");
    EXPECT_EQ(program.Flow().CommandMode, CommandMode::kCalculate);
    Click(&form1, "Command5");
    EXPECT_EQ(program.Flow().CommandMode, CommandMode::kEditByHand);
    EXPECT_EQ(OpenPickers(), 1);

    // Help while the picker is open: nine lines joined by CR LF, none after the last.
    Click(&form1, "Command2");
    EXPECT_EQ(OpenPickers(), 1);
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{
                  "pelu|先执行'填写数据'根据提示填写数据,\r\n"
                  "执行'填写数据'时要先给文件名,如该文件已存在,则系统的默认值\r\n"
                  "就是该文件中的值\r\n"
                  "管道填写规定:已知管径者填数值,未知待求填0\r\n"
                  "节点编号规定:主热源编号为0 其它为数字1 2 3...先编主管 后编支管\r\n"
                  "编号可以不连续,为便于控制支管管径的比摩阻,可以将支管节点的编号从100或200开始\r\n"
                  "节点负荷规定:用户负荷为正,热源负荷为负,主热源不用填\r\n"
                  "文件名+#.txt的文件为根据计算结果形成的带有管径的基本数据文件,\r\n"
                  "用户可调整其中的管径,然后进行校核计算"});

    Click(form1.Picker(), "cmdExit");  // leaving starts nothing and keeps the mode
    EXPECT_EQ(OpenPickers(), 0);
    EXPECT_EQ(program.Flow().CommandMode, CommandMode::kEditByHand);
    EXPECT_EQ(program.Flow().SelectedDataFile, "");
}

TEST_F(MainWindow, TraceLinesAreDrawnFromTheTopLeftOneBelowTheOther) {
    form1.show();
    const QImage before = form1.grab().toImage();
    form1.DrawTraceLine("P<2100  1  0");
    form1.DrawTraceLine("P<2100  2  0");
    const QImage after = form1.grab().toImage();
    const int line = form1.fontMetrics().height();
    auto changed = [&](int top) {
        int count = 0;
        for (int y = top; y < top + line; ++y)
            for (int x = 0; x < 8 * line; ++x) count += before.pixel(x, y) != after.pixel(x, y);
        return count;
    };
    EXPECT_GT(changed(0), 20);
    EXPECT_GT(changed(line), 20);
    EXPECT_EQ(changed(2 * line), 0);
}

}  // namespace
}  // namespace heatnet
