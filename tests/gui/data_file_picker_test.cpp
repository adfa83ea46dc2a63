#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>

#include "app/data_file_picker.h"
#include "app/directory_list.h"
#include "gui_test_support.h"

namespace heatnet {
namespace {

using testing::Click;
using testing::Find;
using testing::Text;

class DataFilePicker : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"net.TXT", "b.txt", "c.Txt", "d.dat", "sub dir/inner.txt"}) {
            std::filesystem::create_directories(std::filesystem::path(folder.File(name)).parent_path());
            testing::WriteBytes(folder.File(name), "");
        }
        Open();
    }
    void TearDown() override {
        delete picker;
        testing::DeleteClosedWindows();
    }
    void Open() {
        picker = new hlwj(flow);
        QObject::connect(picker, &hlwj::confirmed, [this] { ++confirmations; });
        picker->show();
        QApplication::setActiveWindow(picker);
    }
    std::string Folder() const { return Find<DirectoryList>(picker, "dirList")->Path().toStdString(); }
    std::string Files() const {
        std::string names;
        auto* list = Find<QListWidget>(picker, "filList");
        for (int row = 0; row < list->count(); ++row) names += list->item(row)->text().toStdString() + " ";
        return names;
    }
    void ClickItem(const char* list, const QString& text, bool twice = false) {
        auto* view = Find<QListWidget>(picker, list);
        const auto found = view->findItems(text, Qt::MatchEndsWith);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        const QPoint at = view->visualItemRect(found[0]).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (!twice) return;
        // A double-click reaches a widget as press, release, double-click, release.
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
    }

    testing::TemporaryFolder folder;
    testing::CurrentFolder current{folder.Path()};
    const std::string here = QDir::currentPath().toStdString();
    CommandFlow flow;
    QPointer<hlwj> picker;
    int confirmations = 0;
};

TEST_F(DataFilePicker, ClicksFillTheNameAndOnlyConfirmingReportsIt) {
    EXPECT_EQ(Folder(), here);
    EXPECT_EQ(Text(picker, "txtSearchSpec"), "*.txt");
    EXPECT_EQ(Files(), "b.txt c.Txt net.TXT ");  // whatever the case of the extension
    EXPECT_TRUE(Find<QPushButton>(picker, "cmdSearch")->isDefault());
    ClickItem("filList", "c.Txt", true);  // a double-click is a click
    EXPECT_EQ(Text(picker, "txtSearchSpec"), "c.Txt");
    EXPECT_EQ(confirmations, 0);
    ClickItem("filList", "net.TXT");
    Click(picker, "cmdSearch");
    EXPECT_EQ(flow.SelectedDataFile, here + "/net.TXT");
    EXPECT_EQ(confirmations, 1);
    EXPECT_FALSE(picker->isVisible());
}

TEST_F(DataFilePicker, AHighlightedFolderCountsOnceTheListIsLeft) {
    ClickItem("dirList", "sub dir");
    EXPECT_EQ(Files(), "b.txt c.Txt net.TXT ");
    Find<QLineEdit>(picker, "txtSearchSpec")->setFocus();
    EXPECT_EQ(Files(), "inner.txt ");
    Click(picker, "cmdSearch");  // without a chosen file the pattern is passed on
    EXPECT_EQ(flow.SelectedDataFile, here + "/sub dir/*.txt");

    Open();  // a new picker starts over from the current folder
    EXPECT_EQ(Folder(), here);
    EXPECT_EQ(Text(picker, "txtSearchSpec"), "*.txt");
}

TEST_F(DataFilePicker, AnUnreadableDriveIsUndoneAndTheRootKeepsItsSeparator) {
    auto* drives = Find<QComboBox>(picker, "drvList");
    const QString inUse = drives->currentText();
    drives->addItem("/no-such-drive", "/no-such-drive");
    drives->setCurrentIndex(drives->count() - 1);
    EXPECT_EQ(drives->currentText(), inUse);
    EXPECT_EQ(Folder(), here);

    ClickItem("dirList", "/", true);
    EXPECT_EQ(Folder(), "/");
    Click(picker, "cmdSearch");
    EXPECT_EQ(flow.SelectedDataFile, "//*.txt");
}

}  // namespace
}  // namespace heatnet
