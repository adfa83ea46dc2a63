// The desktop's text editor as the program really starts it, through `xdg-open` on
// PATH: when no editor takes the file the person is told, once per attempt.
#include <filesystem>

#include "app/text_editor.h"
#include "gui_test_support.h"

namespace heatnet::testing {
namespace {

class TextEditorFailure : public Program {
protected:
    TextEditorFailure() { qputenv("PATH", QByteArray::fromStdString(bin)); }
    ~TextEditorFailure() override { qputenv("PATH", path); }

    // The xdg-open found on PATH: a shell script with this body, or none at all.
    void Opener(const std::string& body) {
        std::filesystem::remove(bin + "/xdg-open");
        if (body.empty()) return;
        WriteBytes(bin + "/xdg-open", "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
    }
    // Lets the event loop run until `count` dialogs were shown, or long enough to
    // tell that no more are coming.
    bool Shown(size_t count) {
        for (int wait = 0; dialogs.shown.size() < count && wait < 1000; ++wait) QTest::qWait(20);
        return dialogs.shown.size() == count;
    }

    const QByteArray path = qgetenv("PATH");
    const std::string bin = (std::filesystem::create_directory(File("bin")), File("bin"));
    DesktopProgram desktop{dialogs, StartTextEditor};
    Form1& main = desktop.MainWindow();
};

TEST_F(TextEditorFailure, TheMessageNamesTheFileAndForAReportTheResultsWindow) {
    const std::string report = "pelu|无法用文本编辑器打开 " + File("small_tree_OUT.TXT") +
                               ":桌面没有可打开文本文件的编辑器。计算书可在计算结果窗口的“报告”页查看。";
    std::filesystem::copy_file(SourcePath("examples/small_tree.TXT"), File("small_tree.TXT"));

    Opener("exit 3");  // xdg-open: no program handles the file
    dialogs.yesNo = {false};
    Click(&main, "Command1");
    Type(main.Picker(), {{"txtSearchSpec", "small_tree.TXT"}}, "cmdSearch");
    ASSERT_TRUE(Shown(3));  // the workbook question, "计算表见:", then the editor's failure
    EXPECT_TRUE(dialogs.shown[1].starts_with("pelu|计算表见:"));
    EXPECT_EQ(dialogs.shown[2], report);

    Opener("kill -KILL $$");  // both an error and a finish
    ASSERT_EQ(desktop.Results().Windows().size(), 1u);
    Click(desktop.Results().Windows()[0], "openReport");
    ASSERT_TRUE(Shown(4));
    EXPECT_EQ(dialogs.shown[3], report);

    Opener("");  // no xdg-open at all
    Click(&main, "Command5");
    Type(main.Picker(), {{"txtSearchSpec", "small_tree.TXT"}}, "cmdSearch");
    ASSERT_TRUE(Shown(5));
    EXPECT_EQ(dialogs.shown[4], "pelu|无法用文本编辑器打开 " + File("small_tree.TXT") + ":桌面没有可打开文本文件的编辑器。");
    EXPECT_TRUE(edited.empty());  // the scripted starter of the fixture was never asked
}

}  // namespace
}  // namespace heatnet::testing
