#include <gtest/gtest.h>

#include "app/entry_windows/entry_windows.h"
#include "gui_test_support.h"
#include "scripted_dialogs.h"

namespace heatnet {
namespace {

using testing::Click;
using testing::CrLfLines;
using testing::ReadBytes;
using testing::Text;
using testing::Type;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

const std::string kDefaults = " 130 , 70 , 200 , 50 , .4 ";

class BasicDataWindow : public ::testing::Test {
protected:
    // Starts a fill-in on `name` in the test folder, as the picker does.
    SRSJ0* Open(const std::string& name) {
        entries.StartFillIn(folder.File(name));
        return entries.BasicDataWindow();
    }
    void TearDown() override { testing::DeleteClosedWindows(); }
    static std::string Boxes(const SRSJ0* window) {
        std::string boxes = Text(window, "Text1");
        for (const char* box : {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8"})
            boxes += "|" + Text(window, box);
        return boxes;
    }

    testing::TemporaryFolder folder;
    std::unique_ptr<ProjectData> data = std::make_unique<ProjectData>();
    testing::ScriptedDialogs dialogs;
    EntryWindows entries{*data, dialogs};
};

TEST_F(BasicDataWindow, BuiltInTextsStandInForValuesThatAreNotPositive) {
    SRSJ0* window = Open("net");
    EXPECT_EQ(Boxes(window), "130|70|200|50|0.4|||");
    Click(window, "Command1");  // a new file: written without any question
    EXPECT_EQ(ReadBytes(folder.File("net.TXT")), CrLfLines({kDefaults, " 0 , 0 ", " 0 "}));
    EXPECT_FALSE(window->isVisible());

    WriteBytes(folder.File("old.txt"), CrLfLines({" 0 , -5 , 210 , 50 , 0 ", " 1 , 0 ", " 0 "}));
    window = Open("old.txt");
    EXPECT_EQ(Boxes(window), "130|70| 210| 50|0.4| 1||");
    dialogs.yesNo = {true};
    Click(window, "Command1");
    EXPECT_EQ(ReadBytes(folder.File("old.txt")),
              CrLfLines({" 130 , 70 , 210 , 50 , .4 ", " 1 , 0 ", " 0 "}));
    EXPECT_EQ(dialogs.shown, Lines{"确认|数据文件已存在,覆盖?"});
}

TEST_F(BasicDataWindow, CountsOpenTheRecordWindowsOnlyWhenUsable) {
    SRSJ0* window = Open("net");
    Type(window, "Text5", "0.5");
    Type(window, "Text6", "4");
    EXPECT_EQ(data->localResistanceCoefficient, 0.5);  // stored without any button
    EXPECT_EQ(data->nodeCount, 4.0);

    for (const char* count : {"", "0", "1401"}) {
        Type(window, "Text7", count);
        Click(window, "Command4");
    }
    for (const char* count : {"1", "1402"}) {
        Type(window, "Text6", count);
        Click(window, "Command5");
    }
    EXPECT_EQ(entries.PipeSegmentWindow(), nullptr);
    EXPECT_EQ(entries.NodeLoadWindow(), nullptr);
    EXPECT_EQ(dialogs.shown, (Lines{"pelu|管道数1401超过1400,无法输入管道数据。",
                                    "pelu|节点数1402超过1401(节点负荷最多1400个),无法输入节点负荷。"}));

    Type(window, "Text7", "2");
    Click(window, "Command4");
    srsj* pipes = entries.PipeSegmentWindow();
    Click(window, "Command4");
    EXPECT_EQ(entries.PipeSegmentWindow(), pipes);  // brought to the front, not opened twice
    Type(window, "Text6", "4");
    Click(window, "Command5");
    FHSR* loads = entries.NodeLoadWindow();
    ASSERT_NE(loads, nullptr);
    Type(window, "Text6", "3");  // the load window's wrap follows the box at once
    Click(loads, "Command4");
    EXPECT_EQ(loads->CurrentRecord(), 2);
}

TEST_F(BasicDataWindow, ChecksAreAdvisoryAndTheFileIsWrittenAllTheSame) {
    // Node 3 ends two segments and has no load; no segment touches node 9.
    const std::string file = CrLfLines({kDefaults, " 3 , 2 ", " 0 ", " 0 , 100 , 0 , 0 , 3 ",
                                        " 0 , 50 , 0 , 4 , 3 ", " 4 , 1 ", " 9 , 1 "});
    WriteBytes(folder.File("net.TXT"), file);
    SRSJ0* window = Open("net");
    using Answer = WindowDialogs::CheckAnswer;
    dialogs.checks = {Answer::Cancel, Answer::TryAgain, Answer::Continue};
    dialogs.yesNo = {true};
    Click(window, "Command1");
    EXPECT_EQ(dialogs.shown, (Lines{"确认| 3节点负荷没有输入", "确认| 3节点负荷没有输入",
                                    "确认| 9节点负荷不应输入或着管段节点数据输入有误",
                                    "确认|数据文件已存在,覆盖?"}));
    EXPECT_EQ(ReadBytes(folder.File("net.TXT")), file);
}

TEST_F(BasicDataWindow, NoToOverwriteAsksForAnotherNameUntilOneIsUsable) {
    const std::string old = CrLfLines({kDefaults, " 1 , 0 ", " 0 "});
    WriteBytes(folder.File("net.TXT"), old);
    WriteBytes(folder.File("net2.TXT"), "anything");
    SRSJ0* window = Open("net");
    dialogs.yesNo = {false};
    dialogs.texts = {std::nullopt, folder.File("*.TXT"), folder.File("net2")};
    Type(window, "Text1", "95");
    Click(window, "Command1");
    const std::string ask = "存储文件|输入文件名:|";
    EXPECT_EQ(dialogs.shown, (Lines{"确认|数据文件已存在,覆盖?", ask, ask,
                                    "pelu|文件名 " + folder.File("*.TXT") +
                                        " 含有通配符 * 或 ?,请输入一个数据文件名。",
                                    ask}));
    // The typed name is used without a further question, though that file exists.
    EXPECT_EQ(ReadBytes(folder.File("net2.TXT")),
              CrLfLines({" 95 , 70 , 200 , 50 , .4 ", " 1 , 0 ", " 0 "}));
    EXPECT_EQ(ReadBytes(folder.File("net.TXT")), old);
    EXPECT_EQ(data->fileName + "|" + data->baseName,
              folder.File("net2.TXT") + "|" + folder.File("net2"));
}

TEST_F(BasicDataWindow, AnOkThatWritesNothingLeavesTheRecordAndTheWindowAsTheyWere) {
    const std::string old = CrLfLines({kDefaults, " 1 , 0 ", " 0 "});
    WriteBytes(folder.File("net.TXT"), old);
    SRSJ0* window = Open("net");
    Type(window, "Text1", "95");
    dialogs.yesNo = {false, false};
    dialogs.texts = {std::nullopt, "  ",  // refused twice: nothing is written
                     folder.File("missing/net3")};  // a folder that does not exist
    Click(window, "Command1");
    EXPECT_EQ(dialogs.shown.size(), 3u);
    Click(window, "Command1");
    EXPECT_EQ(dialogs.shown.back(), "pelu|无法写入数据文件 " + folder.File("missing/net3.TXT") +
                                        ",请检查文件夹是否可写。");
    EXPECT_EQ(ReadBytes(folder.File("net.TXT")), old);
    EXPECT_EQ(data->supplyTemperature, 130.0);
    EXPECT_EQ(data->fileName, folder.File("net.TXT"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Text(window, "Text1"), "95");
}

}  // namespace
}  // namespace heatnet
