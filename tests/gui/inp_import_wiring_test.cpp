// 导入INP from the main window: the picker lists model files, the questions are
// asked as a person meets them, and the data file written is the batch import's,
// opened in the table editor.
#include <QListWidget>

#include "app/table_editor/table_document.h"
#include "app/table_editor/table_editor_window.h"
#include "gui_test_support.h"

namespace heatnet::testing {
namespace {

// A foreign model: no heatnet header, so the temperatures are asked for.
constexpr const char* kModel =
    "[JUNCTIONS]\n1 0 10\n2 0 5\n[RESERVOIRS]\nR 100\n[PIPES]\n"
    "P1 R 1 100 150 0.5 0 Open\nP2 1 2 80 100 0.5 0 Open\n[OPTIONS]\nUNITS CMH\n";

class InpImportWiring : public Program {
protected:
    void SetUp() override {
        form1.show();
        WriteBytes(File("city.inp"), kModel);
        WriteBytes(File("old.TXT"), "kept");
    }
    QStringList Listed() {
        QStringList names;
        auto* list = Find<QListWidget>(form1.Picker(), "filList");
        for (int i = 0; list && i < list->count(); ++i) names << list->item(i)->text();
        return names;
    }
    std::string BatchImport(const std::string& diameters) {
        const auto [status, messages] =
            RunHeatnetCalc({"--import-inp", File("city.inp"), File("batch.TXT"), "--temperatures", "130,70",
                            "--diameters", diameters, "--replace"});
        EXPECT_EQ(status, 0) << messages;
        return ReadBytes(File("batch.TXT"));
    }
};

TEST_F(InpImportWiring, PickerListsModelsAndTheImportOpensTheBatchResultInTheEditor) {
    Click(&form1, "Command7");
    EXPECT_EQ(Listed(), QStringList{"city.inp"});
    Click(form1.Picker(), "cmdExit");
    Click(&form1, "Command6");  // back to data files for the other commands
    EXPECT_EQ(Listed(), QStringList{"old.TXT"});
    Click(form1.Picker(), "cmdExit");

    // The name proposed beside the model is taken, the diameters left to the
    // calculation, and a first temperature answer that is not two numbers is refused.
    dialogs.texts = {File("city.TXT"), "130", "130，70"};
    dialogs.yesNo = {false};
    Choose("Command7", "city.inp");
    const std::string temperatures = "导入INP|INP文件中没有设计温度,请输入供水温度,回水温度(℃):|130,70";
    EXPECT_EQ(dialogs.shown,
              (Lines{"导入INP|导入后的基本数据文件名:|" + File("city.TXT"),
                     "导入INP|是否保留INP文件中的管径作为已知管径?\r\n(选\"否\"则管径填0,由计算选择)", temperatures,
                     "导入INP|请输入两个不同的温度,如 130,70。", temperatures}));
    EXPECT_EQ(ReadBytes(File("city.TXT")), BatchImport("auto"));
    const QList<TableEditorWindow*> editors = program.TableEditors().Windows();
    ASSERT_EQ(editors.size(), 1);
    EXPECT_EQ(editors[0]->FilePath(), File("city.TXT"));
    EXPECT_EQ(editors[0]->Document().Table().segments.size(), 2u);
}

TEST_F(InpImportWiring, AnExistingFileIsReplacedOnlyWhenTheAnswerIsYesAndARefusalWritesNothing) {
    dialogs.texts = {File("old.TXT"), File("old.TXT"), "130,70"};
    dialogs.yesNo = {false, true, true};  // keep old.TXT; then replace it, keeping the diameters
    Choose("Command7", "city.inp");
    EXPECT_EQ(ReadBytes(File("old.TXT")), "kept");
    Choose("Command7", "city.inp");
    EXPECT_EQ(ReadBytes(File("old.TXT")), BatchImport("given"));
    ASSERT_EQ(program.TableEditors().Windows().size(), 1);

    // A model with a pump cannot be represented: told once, nothing written.
    WriteBytes(File("pump.inp"), std::string(kModel) + "[PUMPS]\nU1 1 2 HEAD C1\n");
    dialogs.shown.clear();
    dialogs.texts = {File("pump.TXT")};
    dialogs.yesNo = {true};
    Choose("Command7", "pump.inp");
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_TRUE(dialogs.shown[2].starts_with("导入INP|INP文件第")) << dialogs.shown[2];
    EXPECT_FALSE(std::filesystem::exists(File("pump.TXT")));
}

}  // namespace
}  // namespace heatnet::testing
