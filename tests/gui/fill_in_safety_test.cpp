// What a fill-in must never do: write records of another network, replace a file
// it could not read, or drop typed values without asking.
#include "gui_test_support.h"
#include "data/base_data_file.h"

namespace heatnet::testing {
namespace {

class FillInSafety : public Program {
protected:
    SRSJ0* FillIn(const std::string& name) {  // as confirming the picker does
        entries.StartFillIn(File(name));
        return entries.BasicDataWindow();
    }
    static bool IsOpen(const QWidget* window) { return window && window->isVisible(); }
};

TEST_F(FillInSafety, RecordsBeyondTheCountsOfAReadFileAreEmptyNotThoseOfTheFileBefore) {
    std::filesystem::copy_file(SourcePath("examples/small_tree.TXT"), File("small_tree.TXT"));
    const std::string records = CrLfLines({" 0 , 120 , 0 , 0 , 1 ", " 0 , 150 , 0 , 1 , 2 ", " 0 , 100 , 0 , 2 , 3 ",
                                           " 0 , 80 , 0 , 3 , 4 "});
    const std::string loads = CrLfLines({" 1 , .5 ", " 2 , .8 ", " 3 , .6 ", " 4 , 1.2 "});
    WriteBytes(File("four.TXT"), CrLfLines({kHeader, " 5 , 4 ", " 100 "}) + records + loads);
    FillIn("small_tree.TXT");
    SRSJ0* window = FillIn("four");
    Type(window, {{"Text6", "7"}, {"Text7", "6"}});  // two more of each, never visited
    dialogs.checks.assign(8, WindowDialogs::CheckAnswer::Continue);
    dialogs.yesNo = {true};
    Click(window, "Command1");
    EXPECT_EQ(ReadBytes(File("four.TXT")), CrLfLines({kHeader, " 7 , 6 ", " 100 "}) + records +
                                               CrLfLines({",,,,", ",,,,"}) + loads + CrLfLines({",", ","}));
}

TEST_F(FillInSafety, ARefusedFileOpensNoWindowAndTheFileAndRecordStayAsTheyWere) {
    std::string bad = ReadBytes(SourcePath("examples/small_tree.TXT"));
    bad.replace(bad.find(" 4 , 1.2 "), 9, " 4 , 1.2x ");
    WriteBytes(File("bad.TXT"), bad);
    FillIn("new");  // no such file: the record is named after it
    const std::string refusal = ReadBaseDataFile(File("bad.TXT"), *std::make_unique<ProjectData>());
    EXPECT_EQ(FillIn("bad.TXT"), nullptr);
    EXPECT_EQ(dialogs.shown, (Lines{"pelu|" + refusal + "\r\n请用'修改数据'改正该文件。"}));
    EXPECT_EQ(data.fileName + "|" + data.baseName + "|" + std::to_string(data.fileExisted),
              File("new.TXT") + "|" + File("new") + "|0");
    EXPECT_EQ(ReadBytes(File("bad.TXT")), bad);
}

TEST_F(FillInSafety, ClosingTheBasicDataWindowClosesAllAndFirstAsksToSaveWhatIsNotWritten) {
    const auto file = [](const char* first) {
        return CrLfLines({kHeader, " 3 , 2 ", " 0 ", first, " 0 , 50 , 0 , 1 , 2 ", " 1 , .5 ", " 2 , .5 "});
    };
    const std::string net = file(" 0 , 100 , 0 , 0 , 1 "), edited = file(" 0 , 70 , 28 , 0 , 1 ");
    const std::string question = "确认|数据已修改,是否存盘?", overwrite = "确认|数据文件已存在,覆盖?",
                      ask = "存储文件|输入文件名:|";
    using enum WindowDialogs::YesNoCancel;
    struct Case {
        const char *edit, *close;  // what the person does before closing, and how
        std::optional<WindowDialogs::YesNoCancel> answer;
        std::deque<bool> overwrites;
        Lines shown;
        bool written, staysOpen;
    };
    for (const Case& c : {Case{"nothing", "取消", {}, {}, {}, false, false},
                          {"segment stored", "title bar", No, {}, {question}, false, false},
                          {"segment stored", "取消", Cancel, {}, {question}, false, true},
                          {"segment typed", "title bar", Yes, {true}, {question, overwrite}, true, false},
                          {"basic typed", "取消", Yes, {false}, {question, overwrite, ask, ask}, false, true}}) {
        WriteBytes(File("net.TXT"), net);
        SRSJ0* basic = FillIn("net");
        Click(basic, "Command4");
        srsj* pipes = entries.PipeSegmentWindow();
        const std::string edit = c.edit;
        if (edit.starts_with("segment"))  // stored by "下一段", or only typed
            Type(pipes, {{"Text5", "70"}}, edit.ends_with("stored") ? "Command1" : nullptr);
        if (edit == "basic typed") Type(basic, {{"Text1", "95"}});
        dialogs.shown.clear();
        if (c.answer) dialogs.yesNoCancel = {*c.answer};
        dialogs.yesNo = c.overwrites;
        dialogs.texts = {std::nullopt, std::nullopt};
        c.close == std::string("取消") ? Click(basic, "Command2") : void(basic->close());
        EXPECT_EQ(dialogs.shown, c.shown) << c.edit;
        EXPECT_EQ(ReadBytes(File("net.TXT")), c.written ? edited : net) << c.edit;
        EXPECT_EQ(std::pair(IsOpen(basic), IsOpen(pipes)), std::pair(c.staysOpen, c.staysOpen)) << c.edit;
    }
    auto box = MakeYesNoCancelBox("", "确认");  // the desktop's box: Qt's own Chinese buttons
    QStringList buttons;
    for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        buttons << box->button(button)->text();
    EXPECT_EQ(buttons.join('|').toStdString(), "是(&Y)|否(&N)|取消");
}

}  // namespace
}  // namespace heatnet::testing
