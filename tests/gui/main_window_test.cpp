// The main window, its one picker and what confirming the picker starts.
#include <QComboBox>
#include <QListWidget>

#include "app/directory_list.h"
#include "gui_test_support.h"

namespace heatnet::testing {
namespace {

class MainWindow : public Program {
protected:
    void SetUp() override { form1.show(); }
    static int OpenPickers() {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            count += window->objectName() == "hlwj" && window->isVisible();
        return count;
    }
    hlwj* OpenPicker() {
        Click(&form1, "Command5");
        QApplication::setActiveWindow(form1.Picker());
        return form1.Picker();
    }
    std::string Folder() const {
        return Find<DirectoryList>(form1.Picker(), "dirList")->Path().toStdString();
    }
    std::string Files() const {
        std::string names;
        auto* list = Find<QListWidget>(form1.Picker(), "filList");
        for (int row = 0; row < list->count(); ++row) names += list->item(row)->text().toStdString() + " ";
        return names;
    }
    void ClickItem(const char* list, const QString& text, bool twice = false) {
        auto* view = Find<QListWidget>(form1.Picker(), list);
        const auto found = view->findItems(text, Qt::MatchEndsWith);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        const QPoint at = view->visualItemRect(found[0]).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (!twice) return;
        // A double-click reaches a widget as press, release, double-click, release.
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
    }
    const std::string here = QDir::currentPath().toStdString();
};

TEST_F(MainWindow, FileCommandsShareOnePickerAndTheLastOneDecides) {
    const std::pair<const char*, CommandMode> presses[] = {{"Command3", CommandMode::kFillIn},
                                                           {"Command3", CommandMode::kFillIn},
                                                           {"Command5", CommandMode::kEditByHand},
                                                           {"Command1", CommandMode::kCalculate}};
    for (const auto& [command, mode] : presses) {
        SCOPED_TRACE(command);
        Click(&form1, command);
        EXPECT_EQ(program.Flow().CommandMode, mode);
        EXPECT_EQ(OpenPickers(), 1);
    }
    // Help while the picker is open: nine lines joined by CR LF, none after the last.
    Click(&form1, "Command2");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const QStringList help = QString::fromStdString(dialogs.shown[0]).split("\r\n");
    EXPECT_EQ(help.size(), 9);
    EXPECT_EQ(help.front().toStdString(), "pelu|先执行'填写数据'根据提示填写数据,");
    EXPECT_EQ(help.back().toStdString(), "用户可调整其中的管径,然后进行校核计算");
    EXPECT_FALSE(help.join("").contains('\n'));
    Click(form1.Picker(), "cmdExit");  // leaving starts nothing and keeps the mode
    EXPECT_EQ(OpenPickers(), 0);
    EXPECT_EQ(program.Flow().CommandMode, CommandMode::kCalculate);

    CopyExample("small_tree.TXT");
    Click(&form1, "Command1");
    Choose("Command5", "small_tree.TXT");  // 修改数据 pressed while the picker is open
    EXPECT_EQ(edited, Lines{File("small_tree.TXT")});  // one argument, blank and all
    EXPECT_FALSE(std::filesystem::exists(File("small_tree_OUT.TXT")));
    dialogs.yesNo = {false};  // no workbook
    Choose("Command1", "small_tree.TXT");  // runs, then opens the report
    EXPECT_GT(std::filesystem::file_size(File("small_tree_OUT.TXT")), 0u);
    EXPECT_EQ(edited, (Lines{File("small_tree.TXT"), File("small_tree_OUT.TXT")}));
    editorStarts = false;
    Choose("Command5", "small_tree.TXT");
    EXPECT_EQ(dialogs.shown.back(), "pelu|无法启动文本编辑器打开 " + File("small_tree.TXT"));
}

TEST_F(MainWindow, NamesThatAreNoSingleFileAreRefusedBeforeAnythingHappens) {
    const std::string wildcard =
        "pelu|文件名 " + File("*.txt") + " 含有通配符 * 或 ?,请先选择或输入一个数据文件名。";
    const std::string absent =
        "pelu|文件 " + File("absent.TXT") + " 不存在,请先用'填写数据'建立该数据文件。";
    const std::tuple<const char*, const char*, std::string> rows[] = {
        {"Command3", "*.txt", wildcard}, {"Command5", "*.txt", wildcard}, {"Command5", "absent.TXT", absent}};
    for (const auto& [command, name, message] : rows) {
        SCOPED_TRACE(command);
        Choose(command, name);
        EXPECT_EQ(dialogs.shown.back(), message);
    }
    EXPECT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(program.Entries().BasicDataWindow(), nullptr);
    EXPECT_TRUE(edited.empty());
}

TEST_F(MainWindow, PickerClicksFillTheNameAndOnlyConfirmingReportsIt) {
    for (const char* name : {"net.TXT", "b.txt", "c.Txt", "d.dat", "sub dir/inner.txt"}) {
        std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
        WriteBytes(File(name), "");
    }
    hlwj* picker = OpenPicker();
    EXPECT_EQ(Folder(), here);
    EXPECT_EQ(Files(), "b.txt c.Txt net.TXT ");  // whatever the case of the extension
    EXPECT_TRUE(Find<QPushButton>(picker, "cmdSearch")->isDefault());
    auto* drives = Find<QComboBox>(picker, "drvList");  // an unreadable drive is undone
    const QString inUse = drives->currentText();
    drives->addItem("/no-such-drive", "/no-such-drive");
    drives->setCurrentIndex(drives->count() - 1);
    EXPECT_EQ(drives->currentText(), inUse);
    EXPECT_EQ(Folder(), here);
    ClickItem("filList", "c.Txt", true);  // a double-click is a click
    EXPECT_EQ(Texts(picker, {"txtSearchSpec"}), "c.Txt");
    ClickItem("filList", "net.TXT");
    EXPECT_TRUE(edited.empty());
    Click(picker, "cmdSearch");
    EXPECT_EQ(edited, Lines{here + "/net.TXT"});
    EXPECT_EQ(form1.Picker(), nullptr);

    // A highlighted folder counts once the list is left.
    picker = OpenPicker();
    ClickItem("dirList", "sub dir");
    EXPECT_EQ(Files(), "b.txt c.Txt net.TXT ");
    Find<QLineEdit>(picker, "txtSearchSpec")->setFocus();
    EXPECT_EQ(Files(), "inner.txt ");
    Click(picker, "cmdSearch");  // without a chosen file the pattern is passed on
    EXPECT_EQ(program.Flow().SelectedDataFile, here + "/sub dir/*.txt");

    picker = OpenPicker();  // a new picker starts over from the current folder
    EXPECT_EQ(Folder(), here);
    EXPECT_EQ(Texts(picker, {"txtSearchSpec"}), "*.txt");
    ClickItem("dirList", "/", true);  // the root keeps its separator
    EXPECT_EQ(Folder(), "/");
    Click(picker, "cmdSearch");
    EXPECT_EQ(program.Flow().SelectedDataFile, "//*.txt");
}

TEST_F(MainWindow, TraceLinesAreDrawnFromTheTopLeftOneBelowTheOther) {
    const QImage before = form1.grab().toImage();
    form1.DrawTraceLine("P<2100  1  0");
    form1.DrawTraceLine("P<2100  2  0");
    const QImage after = form1.grab().toImage();
    const int line = form1.fontMetrics().height();
    EXPECT_GT(Inked(after, before, 0, line), 20);
    EXPECT_GT(Inked(after, before, 1, line), 20);
    EXPECT_EQ(Inked(after, before, 2, line), 0);
}

}  // namespace
}  // namespace heatnet::testing
