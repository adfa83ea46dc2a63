// The main window, its one picker and what confirming the picker starts.
#include <QImage>
#include <QListWidget>

#include "app/application_setup.h"
#include "app/directory_list.h"
#include "gui_test_support.h"

namespace heatnet::testing {
namespace {

class MainWindow : public Program {
protected:
    void SetUp() override { form1.show(); }
    void ClickItem(const char* list, const QString& text, bool twice = false) {
        auto* view = Find<QListWidget>(form1.Picker(), list);
        const auto found = view->findItems(text, Qt::MatchEndsWith);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        const QPoint at = view->visualItemRect(found[0]).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        // A person's double-click is a click and then the second press.
        if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(MainWindow, FileCommandsShareOnePickerAndTheLastOneDecides) {
    const auto openPickers = [] {
        return std::ranges::count_if(QApplication::topLevelWidgets(),
                                     [](QWidget* w) { return w->objectName() == "hlwj" && w->isVisible(); });
    };
    using enum CommandMode;
    for (const auto& [command, mode] : {std::pair{"Command3", kFillIn}, {"Command3", kFillIn},
                                        {"Command5", kEditByHand}, {"Command1", kCalculate}}) {
        Click(&form1, command);
        EXPECT_EQ(program.Flow().CommandMode, mode) << command;
        EXPECT_EQ(openPickers(), 1);
    }
    Click(&form1, "Command2");  // help while the picker is open
    EXPECT_TRUE(dialogs.shown.at(0).starts_with("pelu|先执行'填写数据'根据提示填写数据,\r\n"));
    Click(form1.Picker(), "cmdExit");  // leaving starts nothing and keeps the mode
    EXPECT_EQ(openPickers(), 0);
    EXPECT_EQ(program.Flow().CommandMode, kCalculate);

    std::filesystem::copy_file(SourcePath("examples/small_tree.TXT"), File("small_tree.TXT"));
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
    EXPECT_EQ(dialogs.shown.back(), "pelu|无法用文本编辑器打开 " + File("small_tree.TXT") + ":桌面没有可打开文本文件的编辑器。");
}

TEST_F(MainWindow, NamesThatAreNoSingleFileAreRefusedBeforeAnythingHappens) {
    const std::string wildcard = "pelu|文件名 " + File("*.txt") + " 含有通配符 * 或 ?,请先选择或输入一个数据文件名。";
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
    Click(&form1, "Command5");
    hlwj* picker = form1.Picker();
    QApplication::setActiveWindow(picker);
    const QListWidget* files = Find<QListWidget>(picker, "filList");
    EXPECT_EQ(files->count(), 3);  // net.TXT b.txt c.Txt: whatever the case of the extension
    ClickItem("dirList", "sub dir");  // a highlighted folder counts once the list is left
    EXPECT_EQ(files->count(), 3);
    Find<QLineEdit>(picker, "txtSearchSpec")->setFocus();
    ClickItem("filList", "inner.txt");
    EXPECT_EQ(Texts(picker, {"txtSearchSpec"}), "inner.txt");
    EXPECT_TRUE(edited.empty());
    Click(picker, "cmdSearch");
    EXPECT_EQ(edited, Lines{File("sub dir/inner.txt")});
    Click(&form1, "Command5");
    ClickItem("filList", "net.TXT", true);  // a double-click confirms as "确定" does
    EXPECT_EQ(edited, (Lines{File("sub dir/inner.txt"), File("net.TXT")}));
}

// The calculation runs inside the double-click and its closing message is a real
// box: the picker, closed on confirming, must outlive the click that confirmed it.
TEST_F(MainWindow, ADoubleClickedFileIsCalculatedToTheEndAndThePickerCloses) {
    std::filesystem::copy_file(SourcePath("examples/small_tree.TXT"), File("small_tree.TXT"));
    dialogs.realBoxes = true;
    dialogs.yesNo = {false};  // no workbook
    Click(&form1, "Command1");
    QApplication::setActiveWindow(form1.Picker());
    ClickItem("filList", "small_tree.TXT", true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form1.Picker(), nullptr);
    EXPECT_EQ(dialogs.boxesClickedAway, 1);  // "计算表见:"
    EXPECT_GT(std::filesystem::file_size(File("small_tree_OUT.TXT")), 0u);
    EXPECT_EQ(edited, Lines{File("small_tree_OUT.TXT")});
}

TEST_F(MainWindow, TraceLinesAreDrawnFromTheTopLeftOneBelowTheOther) {
    const int line = form1.fontMetrics().height();
    const auto band = [&](int top) { return form1.grab(QRect(0, top * line, 6 * line, line - 2)).toImage(); };
    const QImage blank = band(0);
    form1.DrawTraceLine("P<2100  1  0");
    form1.DrawTraceLine("P<2100  2  0");
    EXPECT_TRUE(band(0) != blank && band(1) != blank && band(2) == blank);
}

TEST_F(MainWindow, StartedFromTheMenuThePickerOpensInDocumentsOrElseHome) {
    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    const QString documents = here + "/Documents";
    qputenv("HOME", here.toUtf8()), qputenv("XDG_CONFIG_HOME", (here + "/.config").toUtf8());
    for (const auto& [start, makeDocuments, expected] :
         {std::tuple{QDir::rootPath(), true, documents}, {QDir::rootPath(), false, here}, {here + "/sub", true, here + "/sub"}}) {
        QDir(here).removeRecursively(), QDir().mkpath(makeDocuments ? documents : here), QDir().mkpath(here + "/sub");
        QDir::setCurrent(start);
        LeaveUnusableStartingFolder();
        Click(&form1, "Command1");
        EXPECT_EQ(Find<DirectoryList>(form1.Picker(), "dirList")->Path().toStdString(), expected.toStdString());
        Click(form1.Picker(), "cmdExit");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    qputenv("HOME", home), config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
}

}  // namespace
}  // namespace heatnet::testing
