#include <gtest/gtest.h>

#include "app/desktop_program.h"
#include "gui_test_support.h"
#include "scripted_dialogs.h"

namespace heatnet {
namespace {

using testing::Click;
using testing::Text;
using testing::Type;

// Drives the program from the main window's buttons through the picker, in a
// current folder whose name holds a blank.
class CommandDispatch : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(testing::SourcePath("examples/small_tree.TXT"), File("small_tree.TXT"));
    }
    static std::filesystem::path Created(const std::filesystem::path& path) {
        std::filesystem::create_directory(path);
        return path;
    }
    void TearDown() override { testing::DeleteClosedWindows(); }
    std::string File(const std::string& name) const { return folder.File("my data/" + name); }
    void Choose(const char* command, const QString& name) {
        Click(&program.MainWindow(), command);
        Type(program.MainWindow().Picker(), "txtSearchSpec", name);
        Click(program.MainWindow().Picker(), "cmdSearch");
    }

    testing::TemporaryFolder folder;
    testing::CurrentFolder current{Created(folder.Path() / "my data")};
    testing::ScriptedDialogs dialogs;
    std::vector<std::string> edited;
    bool editorStarts = true;
    DesktopProgram program{dialogs, [this](const std::string& path) {
                               edited.push_back(path);
                               return editorStarts;
                           }};
};

TEST_F(CommandDispatch, RunCalculatesTheChosenFileAndOpensItsReport) {
    dialogs.yesNo = {false};  // no workbook
    Choose("Command1", "small_tree.TXT");
    EXPECT_GT(std::filesystem::file_size(File("small_tree_OUT.TXT")), 0u);
    EXPECT_EQ(edited, std::vector<std::string>{File("small_tree_OUT.TXT")});
}

TEST_F(CommandDispatch, TheLastFileCommandDecidesAndThePathIsOneArgument) {
    Click(&program.MainWindow(), "Command1");
    Choose("Command5", "small_tree.TXT");  // 修改数据 pressed while the picker is open
    EXPECT_EQ(edited, std::vector<std::string>{File("small_tree.TXT")});
    EXPECT_FALSE(std::filesystem::exists(File("small_tree_OUT.TXT")));

    editorStarts = false;
    Choose("Command5", "small_tree.TXT");
    EXPECT_EQ(dialogs.shown.back(), "pelu|无法启动文本编辑器打开 " + File("small_tree.TXT"));
}

TEST_F(CommandDispatch, NamesThatAreNoSingleFileAreRefusedBeforeAnythingHappens) {
    Choose("Command3", "*.txt");
    Choose("Command5", "*.txt");
    Choose("Command5", "absent.TXT");
    const std::string wildcard =
        "pelu|文件名 " + File("*.txt") + " 含有通配符 * 或 ?,请先选择或输入一个数据文件名。";
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{wildcard, wildcard,
                                        "pelu|文件 " + File("absent.TXT") +
                                            " 不存在,请先用'填写数据'建立该数据文件。"}));
    EXPECT_EQ(program.Entries().BasicDataWindow(), nullptr);
    EXPECT_TRUE(edited.empty());
}

TEST_F(CommandDispatch, ANewFillInReplacesTheOpenEntryWindows) {
    Choose("Command3", "new");
    SRSJ0* first = program.Entries().BasicDataWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(program.Data().fileName, File("new.TXT"));
    EXPECT_FALSE(program.Data().fileExisted);
    Type(first, "Text7", "2");
    Click(first, "Command4");
    ASSERT_NE(program.Entries().PipeSegmentWindow(), nullptr);

    Choose("Command3", "small_tree.TXT");
    EXPECT_EQ(program.Entries().PipeSegmentWindow(), nullptr);
    EXPECT_TRUE(program.Data().fileExisted);
    EXPECT_EQ(Text(program.Entries().BasicDataWindow(), "Text7"), " 8");  // the file's, not 2
}

}  // namespace
}  // namespace heatnet
