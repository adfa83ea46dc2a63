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
    static long OpenPickers() {
        return std::ranges::count_if(QApplication::topLevelWidgets(),
                                     [](QWidget* w) { return w->objectName() == "hlwj" && w->isVisible(); });
    }
    hlwj* OpenPicker() {
        Click(&form1, "Command5");
        QApplication::setActiveWindow(form1.Picker());
        return form1.Picker();
    }
    std::string Folder() { return Find<DirectoryList>(form1.Picker(), "dirList")->Path().toStdString(); }
    std::string Files() {
        std::string names;
        for (auto* item : Find<QListWidget>(form1.Picker(), "filList")->findItems("*", Qt::MatchWildcard))
            names += item->text().toStdString() + " ";
        return names;
    }
    // A double-click reaches a widget as press, release, double-click, release.
    void ClickItem(const char* list, const QString& text, bool twice = false) {
        auto* view = Find<QListWidget>(form1.Picker(), list);
        const auto found = view->findItems(text, Qt::MatchEndsWith);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        const QPoint at = view->visualItemRect(found[0]).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(MainWindow, FileCommandsShareOnePickerAndTheLastOneDecides) {
    for (const auto& [command, mode] : {std::pair{"Command3", CommandMode::kFillIn},
                                        {"Command3", CommandMode::kFillIn},
                                        {"Command5", CommandMode::kEditByHand},
                                        {"Command1", CommandMode::kCalculate}}) {
        Click(&form1, command);
        EXPECT_EQ(program.Flow().CommandMode, mode) << command;
        EXPECT_EQ(OpenPickers(), 1);
    }
    Click(&form1, "Command2");  // help while the picker is open: nine lines joined by CR LF
    const QStringList help = QString::fromStdString(dialogs.shown.at(0)).split("\r\n");
    EXPECT_EQ(help.size(), 9);
    EXPECT_EQ(help.front().toStdString(), "pelu|先执行'填写数据'根据提示填写数据,");
    EXPECT_EQ(help.back().toStdString(), "用户可调整其中的管径,然后进行校核计算");
    Click(form1.Picker(), "cmdExit");  // leaving starts nothing and keeps the mode
    EXPECT_EQ(OpenPickers(), 0);
    EXPECT_EQ(program.Flow().CommandMode, CommandMode::kCalculate);

    CopyExample("small_tree.TXT");
    Click(&form1, "Command1");
    Choose("Command5", "small_tree.TXT");  // 修改数据 pressed while the picker is open
    EXPECT_EQ(edited, Lines{File("small_tree.TXT")});  // one argument, blank and all
    EXPECT_FALSE(std::filesystem::exists(File("small_tree_OUT.TXT")));
    dialogs.yesNo = {false};               // no workbook
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
    Choose("Command3", "*.txt");
    Choose("Command5", "*.txt");
    Choose("Command5", "absent.TXT");
    EXPECT_EQ(dialogs.shown, (Lines{wildcard, wildcard,
                                    "pelu|文件 " + File("absent.TXT") + " 不存在,请先用'填写数据'建立该数据文件。"}));
    EXPECT_EQ(program.Entries().BasicDataWindow(), nullptr);
    EXPECT_TRUE(edited.empty());
}

TEST_F(MainWindow, PickerClicksFillTheNameAndOnlyConfirmingReportsIt) {
    std::filesystem::create_directory(File("sub dir"));
    for (const char* name : {"net.TXT", "b.txt", "c.Txt", "d.dat", "sub dir/inner.txt"}) WriteBytes(File(name), "");
    hlwj* picker = OpenPicker();
    EXPECT_EQ(Folder(), here.toStdString());
    EXPECT_EQ(Files(), "b.txt c.Txt net.TXT ");  // whatever the case of the extension
    EXPECT_TRUE(Find<QPushButton>(picker, "cmdSearch")->isDefault());
    auto* drives = Find<QComboBox>(picker, "drvList");  // an unreadable drive is undone
    const QString inUse = drives->currentText();
    drives->addItem("/no-such-drive", "/no-such-drive");
    drives->setCurrentIndex(drives->count() - 1);
    EXPECT_EQ(drives->currentText(), inUse);
    EXPECT_EQ(Folder(), here.toStdString());
    ClickItem("filList", "c.Txt", true);  // a double-click is a click
    EXPECT_EQ(Texts(picker, {"txtSearchSpec"}), "c.Txt");
    ClickItem("filList", "net.TXT");
    EXPECT_TRUE(edited.empty());
    Click(picker, "cmdSearch");
    EXPECT_EQ(edited, Lines{File("net.TXT")});
    EXPECT_EQ(form1.Picker(), nullptr);

    picker = OpenPicker();  // a highlighted folder counts once the list is left
    ClickItem("dirList", "sub dir");
    EXPECT_EQ(Files(), "b.txt c.Txt net.TXT ");
    Find<QLineEdit>(picker, "txtSearchSpec")->setFocus();
    EXPECT_EQ(Files(), "inner.txt ");
    Click(picker, "cmdSearch");  // without a chosen file the pattern is passed on
    EXPECT_EQ(program.Flow().SelectedDataFile, File("sub dir/*.txt"));

    picker = OpenPicker();  // a new picker starts over from the current folder
    EXPECT_EQ(Folder() + "/" + Texts(picker, {"txtSearchSpec"}), File("*.txt"));
    ClickItem("dirList", "/", true);  // the root keeps its separator
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
