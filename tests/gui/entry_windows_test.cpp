// The fill-in: the basic data window, the pipe segment and node load windows.
#include "gui_test_support.h"

namespace heatnet::testing {
namespace {

class EntryWindows : public Program {
protected:
    SRSJ0* FillIn(const std::string& name) {  // as confirming the picker does
        entries.StartFillIn(File(name));
        return entries.BasicDataWindow();
    }
    // The record caption and the record's boxes.
    static std::string Shown(const RecordCaptionWindow* window, std::initializer_list<const char*> boxes) {
        return window ? window->RecordCaption().toStdString() + "|" + Texts(window, boxes) : "none";
    }
};

TEST_F(EntryWindows, CountsOpenTheRecordWindowsOnlyWhenUsableAndANewFillInClosesThem) {
    std::filesystem::copy_file(SourcePath("examples/small_tree.TXT"), File("small_tree.TXT"));
    Choose("Command3", "new");
    SRSJ0* window = entries.BasicDataWindow();
    Type(window, {{"Text5", "0.5"}, {"Text6", "4"}});
    EXPECT_EQ(data.localResistanceCoefficient, 0.5);  // stored without any button
    for (const auto& [box, count, button] :
         {std::tuple{"Text7", "", "Command4"}, {"Text7", "0", "Command4"}, {"Text7", "1401", "Command4"},
          {"Text6", "1", "Command5"}, {"Text6", "1402", "Command5"}}) {
        Type(window, {{box, count}}, button);
        EXPECT_EQ(entries.PipeSegmentWindow() || entries.NodeLoadWindow(), false) << count;
    }
    EXPECT_EQ(dialogs.shown, (Lines{"pelu|管道数1401超过1400,无法输入管道数据。",
                                    "pelu|节点数1402超过1401(节点负荷最多1400个),无法输入节点负荷。"}));
    Type(window, {{"Text7", "2"}}, "Command4");
    EXPECT_NE(entries.PipeSegmentWindow(), nullptr);
    Choose("Command3", "small_tree.TXT");
    EXPECT_EQ(entries.PipeSegmentWindow(), nullptr);
    EXPECT_EQ(Texts(entries.BasicDataWindow(), {"Text7"}), " 8");  // the file's, not 2
}

TEST_F(EntryWindows, BuiltInTextsStandInForValuesThatAreNotPositiveAndEachKindOfCheckIsOneBox) {
    const std::string missing = "节点负荷没有输入", orphan = "节点负荷不应输入或着管段节点数据输入有误";
    using enum WindowDialogs::CheckAnswer;
    struct Case { Lines records; std::deque<WindowDialogs::CheckAnswer> answers; Lines shown; };
    for (const Case& c : {  // Node 3 ends two segments and has no load; no segment touches node 9.
             Case{{" 3 , 2 ", " 0 ", " 0 , 100 , 0 , 0 , 3 ", " 0 , 50 , 0 , 4 , 3 ", " 4 , 1 ", " 9 , 1 "},
                  {Cancel, TryAgain}, {" 3" + missing, " 9" + orphan}},
             // Each node once, in the order the segments and the load records name them.
             {{" 4 , 3 ", " 0 ", " 0 , 100 , 0 , 0 , 12 ", " 0 , 50 , 0 , 12 , 5 ", " 0 , 50 , 0 , 3 , 12 ",
               " 9 , 1 ", " 7 , 1 ", " 9 , 2 "},
              {Continue, Continue}, {" 12、 5、 3" + missing, " 9、 7" + orphan}}}) {
        WriteBytes(File("net.TXT"), CrLfLines({" 0 , -5 , 210 , 50 , 0 "}) + CrLfLines(c.records));
        SRSJ0* window = FillIn("net");
        EXPECT_EQ(Texts(window, {"Text1", "Text2", "Text3", "Text4", "Text5", "Text8"}), "130|70| 210| 50|0.4|");
        dialogs.shown.clear(), dialogs.checks = c.answers, dialogs.yesNo = {true};
        Click(window, "Command1");
        Lines shown;  // whichever button is pressed, the next check follows and the file is written
        for (const std::string& text : c.shown) shown.push_back("确认|" + text);
        shown.push_back("确认|数据文件已存在,覆盖?");
        EXPECT_EQ(dialogs.shown, shown);
        EXPECT_EQ(ReadBytes(File("net.TXT")), CrLfLines({" 130 , 70 , 210 , 50 , .4 "}) + CrLfLines(c.records));
    }
}

TEST_F(EntryWindows, NoToOverwriteAsksForAnotherNameAndAnOkThatWritesNothingKeepsAll) {
    const std::string old = CrLfLines({kHeader, " 1 , 0 ", " 0 "});
    WriteBytes(File("net.TXT"), old);
    WriteBytes(File("net2.TXT"), "anything");
    SRSJ0* window = FillIn("net");
    Type(window, {{"Text1", "95"}});
    dialogs.yesNo = {false, false, false};
    dialogs.texts = {std::nullopt, "  ",            // refused twice: nothing is written
                     File("missing/net3"),          // a folder that does not exist
                     File("*.TXT"), File("net2")};  // a name that exists: used without question
    for (int ok = 0; ok < 2; ++ok) {
        Click(window, "Command1");
        EXPECT_EQ(ReadBytes(File("net.TXT")), old) << ok;
        EXPECT_EQ(data.fileName, File("net.TXT"));
        EXPECT_EQ(data.supplyTemperature, 130.0);
        EXPECT_EQ(window->isVisible() ? Texts(window, {"Text1"}) : "hidden", "95");
    }
    Click(window, "Command1");
    const std::string ask = "存储文件|输入文件名:|", overwrite = "确认|数据文件已存在,覆盖?";
    EXPECT_EQ(dialogs.shown,
              (Lines{overwrite, ask, ask, overwrite, ask,
                     "pelu|无法写入数据文件 " + File("missing/net3.TXT") + ",请检查文件夹是否可写。", overwrite,
                     ask, "pelu|文件名 " + File("*.TXT") + " 含有通配符 * 或 ?,请输入一个数据文件名。", ask}));
    EXPECT_EQ(ReadBytes(File("net2.TXT")), CrLfLines({" 95 , 70 , 200 , 50 , .4 ", " 1 , 0 ", " 0 "}));
    EXPECT_EQ(ReadBytes(File("net.TXT")), old);
    EXPECT_EQ(data.fileName + "|" + data.baseName, File("net2.TXT") + "|" + File("net2"));
}

TEST_F(EntryWindows, PipeSegmentsWrapAroundFollowTheCountAndAreStoredOnEveryMove) {
    SRSJ0* basic = FillIn("net");
    data.pipes[1] = {200.0, 100.0, 0.0, 0.0, 6.0};
    data.pipes[2] = {80.0, 0.0, 5.0, 6.0, 9.0};  // no length, an equivalent length of its own
    Type(basic, {{"Text7", "3"}}, "Command4");
    srsj* pipes = entries.PipeSegmentWindow();
    const auto boxes = {"Text1", "Text2", "Text3", "Text5", "Text6"};
    struct Step { double count; const char *length, *button, *shown; };
    for (const Step& step : {Step{3, nullptr, "Command1", "第 2 段管道| 6|| 80|| 5"},
                             {3, nullptr, "Command2", "第 1 段管道| 0| 6| 200| 100|"},
                             {3, nullptr, "Command2", "第 3 段管道| 0|| 0||"},  // begins where 2 ends
                             {2, nullptr, "Command1", "第 1 段管道| 0| 6| 200| 100|"},
                             {1, "7", "Command2", "第 1 段管道| 0| 6| 200| 7| 2.8"}}) {
        data.pipeCount = step.count;  // as confirmed meanwhile in the basic data window
        if (step.length) Type(pipes, {{"Text5", step.length}});
        Click(pipes, step.button);
        EXPECT_EQ(Shown(pipes, boxes), step.shown);
    }
}

TEST_F(EntryWindows, NodeLoadsStepThroughCountMinusOneAndAreStoredOnMovesAndOnConfirm) {
    SRSJ0* basic = FillIn("net");
    Type(basic, {{"Text6", "4"}}, "Command5");
    FHSR* loads = entries.NodeLoadWindow();
    EXPECT_EQ(Shown(loads, {"Text1", "Text2"}), "第 1 个节点|| 0");
    struct Step { const char *count, *node, *load, *button, *shown; };
    for (const Step& step : {Step{"4", "7", "1.2", "Command1", "第 2 个节点||"},
                             {"4", "4", "-2.5", "Command1", "第 3 个节点||"},
                             {"4", nullptr, nullptr, "Command1", "第 1 个节点| 7| 1.2"},
                             {"4", nullptr, nullptr, "Command4", "第 3 个节点||"},  // a stored 0
                             {"3", nullptr, nullptr, "Command1", "第 1 个节点| 7| 1.2"},
                             {"2", nullptr, nullptr, "Command4", "第 1 个节点| 7| 1.2"}}) {
        Type(basic, {{"Text6", step.count}});  // the wrap follows the box at once
        if (step.node) Type(loads, {{"Text1", step.node}, {"Text2", step.load}});
        Click(loads, step.button);
        EXPECT_EQ(Shown(loads, {"Text1", "Text2"}), step.shown);
    }
    EXPECT_EQ(data.loads[2].load, -2.5);
    Type(loads, {{"Text2", "3"}}, "Command2");
    EXPECT_EQ(data.loads[1].load, 3.0);
    EXPECT_FALSE(loads->isVisible());
}

// Entered through the main window, the picker and the three entry windows, as a person would.
TEST_F(EntryWindows, ThreeSegmentNetworkIsWrittenExactly) {
    Choose("Command3", "three");
    SRSJ0* basic = entries.BasicDataWindow();
    Type(basic, {{"Text6", "5"}, {"Text7", "3"}}, "Command4");
    srsj* pipes = entries.PipeSegmentWindow();
    Type(pipes, {{"Text2", "1"}, {"Text3", "150"}, {"Text5", "120"}});
    EXPECT_EQ(Texts(pipes, {"Text6"}), " 48");  // 0.4 x 120, proposed while typing
    Type(pipes, {{"Text6", "0"}}, "Command1");  // no local resistances
    // Keeps the proposed 32 and the diameter 0; segment 3 is never entered.
    Type(pipes, {{"Text2", "4"}, {"Text5", "80"}});  // typed, stored by the basic data window's 确定
    Click(basic, "Command5");
    FHSR* loads = entries.NodeLoadWindow();
    Type(loads, {{"Text1", "1"}, {"Text2", "0.5"}}, "Command1");
    Type(loads, {{"Text1", "4"}, {"Text2", "-2.5"}});  // typed only, as well
    Click(basic, "Command1");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(ReadBytes(File("three.TXT")),
              CrLfLines({kHeader, " 5 , 3 ", " 0 ", " 150 , 120 , 0 , 0 , 1 ", " 0 , 80 , 32 , 1 , 4 ",
                         ",,,,", " 1 , .5 ", " 4 ,-2.5 ", ",", ","}));
    // No window is left open to take typing that nothing would write.
    EXPECT_EQ(std::tuple(basic->isVisible(), pipes->isVisible(), loads->isVisible()), std::tuple(false, false, false));
}

}  // namespace
}  // namespace heatnet::testing
