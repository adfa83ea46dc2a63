// How the table editor is reached and what it reaches: the main window's fifth
// command, one editor per file, 计算 and the results window's 编辑数据.
#include <QTableView>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "app/results/result_table.h"
#include "app/table_editor/table_grid_model.h"
#include "gui_test_support.h"

namespace heatnet::testing {
namespace {

class TableEditorWiring : public Program {
protected:
    void SetUp() override {
        form1.show();
        std::filesystem::copy_file(SourcePath("examples/out_of_order.TXT"), File("net.TXT"));
    }
    QList<TableEditorWindow*> Editors() { return program.TableEditors().Windows(); }
    // A command of the editor, a button or a tool button, clicked.
    static void Press(TableEditorWindow* editor, const QString& caption) {
        for (QAbstractButton* button : editor->findChildren<QAbstractButton*>())
            if (button->isVisible() && button->text() == caption)
                return QTest::mouseClick(button, Qt::LeftButton);
        ADD_FAILURE() << "no visible " << caption.toStdString();
    }
    // The row of the grid's view that is current, in file order (序号 - 1).
    static int CurrentRow(const TableEditorWindow* editor, Grid grid) {
        for (QTableView* view : editor->findChildren<QTableView*>())
            if (const auto* proxy = qobject_cast<const GridSortProxy*>(view->model()))
                if (proxy->Source().WhichGrid() == grid) return proxy->mapToSource(view->currentIndex()).row();
        return -2;
    }
    static void ClickRow(ResultsWindow* results, int tab, ResultTable* table, const QString& first) {
        auto* tabs = results->Tabs()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        const auto found = table->findItems(first, Qt::MatchExactly);
        ASSERT_FALSE(found.empty()) << first.toStdString();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(found[0]).center());
    }
};

TEST_F(TableEditorWiring, FifthCommandOpensOneEditorPerFileAndNeverBesideTheFillIn) {
    const std::string already = "pelu|文件 " + File("net.TXT") + " 已在表格编辑中打开。";
    Choose("Command6", "net.TXT");
    ASSERT_EQ(Editors().size(), 1);
    EXPECT_EQ(Editors()[0]->FilePath(), File("net.TXT"));
    EXPECT_EQ(Editors()[0]->Document().Table().segments.size(), 8u);
    Choose("Command6", "net.TXT");   // raised, not opened again
    Choose("Command3", "net.TXT");   // no fill-in on a file the editor holds
    Choose("Command6", "new");       // a new network, named as the fill-in names it
    Choose("Command6", "*.txt");
    ASSERT_EQ(Editors().size(), 2);
    EXPECT_EQ(Editors()[1]->FilePath(), File("new.TXT"));
    EXPECT_EQ(entries.BasicDataWindow(), nullptr);
    std::filesystem::copy_file(File("net.TXT"), File("other.TXT"));
    Choose("Command3", "other.TXT");
    Choose("Command6", "other.TXT");  // nor an editor on a file the fill-in holds
    EXPECT_EQ(Editors().size(), 2);
    // Nor does 另存为 take a file another window holds.
    dialogs.texts = {File("net.TXT"), File("other.TXT")};
    QApplication::setActiveWindow(Editors()[1]);
    for (int i = 0; i < 2; ++i) QTest::keyClick(Editors()[1], Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Editors()[1]->FilePath(), File("new.TXT"));
    const std::string saveAs = "另存为|输入文件名:|" + File("new.TXT");
    EXPECT_EQ(dialogs.shown, (Lines{already, already,
                                    "pelu|文件名 " + File("*.txt") + " 含有通配符 * 或 ?,请先选择或输入一个数据文件名。",
                                    "pelu|文件 " + File("other.TXT") + " 已在填写数据中打开。", saveAs, already,
                                    saveAs, "pelu|文件 " + File("other.TXT") + " 已在填写数据中打开。"}));
}

TEST_F(TableEditorWiring, CalculationFromTheEditorReplacesTheResultsWhoseRowsLeadBackToTheFile) {
    Choose("Command6", "net.TXT");
    ASSERT_EQ(Editors().size(), 1);
    TableEditorWindow* editor = Editors()[0];
    for (int run = 0; run < 2; ++run) {
        dialogs.yesNo = {false};  // no workbook
        Press(editor, "计算");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(program.Results().Windows().size(), 1) << run;
    }
    EXPECT_EQ(edited, (Lines{File("net_OUT.TXT"), File("net_OUT.TXT")}));
    ResultsWindow* results = program.Results().Windows()[0];
    // The first segment of the walk leaves the source, the file's fourth record.
    ClickRow(results, 2, results->Segments(), "1");
    EXPECT_EQ(CurrentRow(editor, Grid::kSegments), 3);
    ClickRow(results, 1, results->Nodes(), "101");
    EXPECT_EQ(CurrentRow(editor, Grid::kLoads), 5);
}

TEST_F(TableEditorWiring, EditDataOfTheResultsWindowOpensTheCalculatedFile) {
    dialogs.yesNo = {false};
    Choose("Command1", "net.TXT");
    ASSERT_EQ(program.Results().Windows().size(), 1);
    ResultsWindow* results = program.Results().Windows()[0];
    Click(results, "editData");
    ASSERT_EQ(Editors().size(), 1);
    EXPECT_EQ(Editors()[0]->FilePath(), File("net.TXT"));
    Click(results, "editData");
    EXPECT_EQ(Editors().size(), 1);
    EXPECT_EQ(dialogs.shown.back(), "pelu|文件 " + File("net.TXT") + " 已在表格编辑中打开。");
}

}  // namespace
}  // namespace heatnet::testing
