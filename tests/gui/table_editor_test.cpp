// The table editor driven as a person does: clicks, double-clicks, typing and the
// window's keys, the written files compared byte for byte with the writer's.
#include <QClipboard>
#include <QHeaderView>
#include <QListView>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include "app/table_editor/basic_data_panel.h"
#include "app/table_editor/table_document.h"
#include "app/table_editor/table_editor_window.h"
#include "data/base_data_file.h"
#include "gui_test_support.h"
#include "tools/network_generator.h"

namespace heatnet::testing {
namespace {

class TableEditorTest : public ::testing::Test {
protected:
    void TearDown() override { delete window.data(); }

    std::string File(const std::string& name) const { return folder.File(name); }
    // The writer's bytes for what `path` holds.
    static std::string Rewritten(const std::string& path) {
        auto data = std::make_unique<ProjectData>();
        EXPECT_EQ(ReadBaseDataFile(path, *data), "");
        return FormatBaseDataFile(*data);
    }
    TableEditorWindow* Open(const std::string& name, const std::string& bytes) {
        WriteBytes(File(name), bytes);
        window = new TableEditorWindow(File(name), dialogs);
        window->show();
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    QTableView* ShowGrid(Grid grid) {
        QTabBar* bar = window->Tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(grid == Grid::kSegments ? 1 : 2).center());
        return window->View(grid);
    }
    static QPoint Centre(QAbstractItemView* view, int row, int column) {
        return view->visualRect(view->model()->index(row, column)).center();
    }
    void ClickCell(QTableView* view, int row, int column) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Centre(view, row, column));
    }
    // Double-clicks the cell, replaces its text keystroke by keystroke and presses Enter.
    void TypeIntoCell(QTableView* view, int row, int column, const QString& text) {
        ClickCell(view, row, column);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, Centre(view, row, column));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, view);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the view stores the text once the key is handled
    }
    void Paste(QTableView* view, int row, const QString& text) {
        ClickCell(view, row, 1);
        QApplication::clipboard()->setText(text);
        Key(Qt::Key_V);
    }

    // The segments as "start-end diameter" in file order.
    std::string Segments() const {
        std::string text;
        for (const auto& row : window->Document().Table().segments)
            text += row[0] + "-" + row[1] + " " + row[2] + ",";
        return text;
    }

    TemporaryFolder folder;
    ScriptedDialogs dialogs;
    QPointer<TableEditorWindow> window;
};

TEST_F(TableEditorTest, SavingAsWritesTheBytesTheRecordWindowsWouldWrite) {
    for (const std::string network : {"examples/small_tree.TXT", "tests/networks/loop.TXT",
                                      "tests/networks/given_diameters.TXT", "examples/secondary_source.TXT"}) {
        SCOPED_TRACE(network);
        Open("net.TXT", ReadBytes(SourcePath(network)));
        EXPECT_EQ(window->windowTitle(), "表格编辑 - net.TXT[*]");
        const std::string copy = network.substr(network.rfind('/') + 1);
        dialogs.texts = {File(copy)};
        Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(ReadBytes(File(copy)), Rewritten(SourcePath(network)));
        EXPECT_EQ(window->windowTitle(), QString::fromStdString("表格编辑 - " + copy + "[*]"));
        delete window.data();
    }
    EXPECT_EQ(dialogs.shown, Lines(4, "另存为|输入文件名:|" + File("net.TXT")));
}

TEST_F(TableEditorTest, PastedBlocksSaveAsTheGeneratedNetworkAndUndoComesBackToTheOpeningBytes) {
    auto generated = std::make_unique<ProjectData>(GenerateNetwork({.segments = 1400}));
    WriteBaseDataFile(File("generated.TXT"), *generated);
    ASSERT_EQ(ReadBaseDataFile(File("generated.TXT"), *generated), "");
    const NetworkTable table = TableFromProjectData(*generated);
    // The same header with the first segment and load is what the editor opens.
    generated->pipeCount = 1, generated->nodeCount = 2;
    const std::string opening = FormatBaseDataFile(*generated);
    Open("pasted.TXT", opening);

    CellRows segments = {{"起点编号", "终点编号", "管径", "长度", "折算长度"}};
    for (const auto& row : table.segments) segments.emplace_back(row.begin(), row.end());
    Paste(ShowGrid(Grid::kSegments), 0, QString::fromStdString(TabSeparatedText(segments)));
    QString loads = "节点;负荷\r\n";
    for (const auto& [node, load] : table.loads) loads += QString::fromStdString(node + ";" + load + "\r\n");
    Paste(ShowGrid(Grid::kLoads), 0, loads);
    EXPECT_EQ(window->Document().Table(), table);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(Find<QLineEdit>(window->BasicValues(), "pipeCount")->text(), "1400");
    EXPECT_EQ(Find<QLineEdit>(window->BasicValues(), "nodeCount")->text(), "1401");

    Key(Qt::Key_S);
    EXPECT_TRUE(ReadBytes(File("pasted.TXT")) == ReadBytes(File("generated.TXT")));
    EXPECT_FALSE(window->isWindowModified());
    Key(Qt::Key_Z), Key(Qt::Key_Z), Key(Qt::Key_S);
    EXPECT_EQ(ReadBytes(File("pasted.TXT")), opening);
    Key(Qt::Key_Y);  // the segments again, the loads still undone
    EXPECT_EQ(window->Document().Table().segments, table.segments);
    EXPECT_EQ(dialogs.shown, Lines{});
}

TEST_F(TableEditorTest, ATypedBadCellShowsItsProblemOnTheCellAndInTheListAndIsNeverWritten) {
    const std::string bytes = ReadBytes(SourcePath("examples/small_tree.TXT"));
    Open("net.TXT", bytes);
    QTableView* view = ShowGrid(Grid::kSegments);
    TypeIntoCell(view, 1, 1, "1x");
    EXPECT_EQ(window->Document().Table().segments[1][0], "1x");
    const QString message = "第2根管道的管段起点编号\"1x\"不是数字,请改正。";
    EXPECT_EQ(view->model()->index(1, 1).data(Qt::ToolTipRole).toString(), message);
    EXPECT_TRUE(view->model()->index(1, 1).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(view->model()->index(0, 1).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(view->model()->index(1, 2).data(Qt::BackgroundRole).isValid());

    QListView* problems = window->ProblemList();
    const QModelIndexList listed = problems->model()->match(problems->model()->index(0, 0), Qt::DisplayRole,
                                                            "管段 第2行 起点编号: " + message, -1, Qt::MatchExactly);
    ASSERT_EQ(listed.size(), 1);
    ShowGrid(Grid::kLoads);
    QTest::mouseClick(problems->viewport(), Qt::LeftButton, {}, Centre(problems, listed[0].row(), 0));
    EXPECT_EQ(window->Tabs()->currentWidget(), view);
    EXPECT_EQ(view->currentIndex(), view->model()->index(1, 1));
    QTabBar* bar = window->Tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    QLineEdit* supply = window->BasicValues()->Box(0);
    QTest::mouseClick(supply, Qt::LeftButton);
    Key(Qt::Key_A), QTest::keyClicks(supply, "400"), QTest::keyClick(supply, Qt::Key_Return);
    EXPECT_EQ(window->Document().Table().basic[0], "400");
    EXPECT_TRUE(supply->toolTip().contains("应在0到350°C之间")) << supply->toolTip().toStdString();

    Key(Qt::Key_S);
    EXPECT_EQ(dialogs.shown, Lines{"pelu|" + message.toStdString() + "\r\n文件未存盘。"});
    EXPECT_EQ(ReadBytes(File("net.TXT")), bytes);
}

TEST_F(TableEditorTest, RowCommandsFindAndGoToWorkOnTheFileOrderAndUndoAsOneStepEach) {
    Open("net.TXT", ReadBytes(SourcePath("examples/small_tree.TXT")));
    const std::string opened = Segments();
    EXPECT_EQ(opened, "0-1 0,1-2 0,2-3 0,3-4 0,2-100 0,100-101 0,3-102 125,102-103 0,");
    QTableView* view = ShowGrid(Grid::kSegments);
    ClickCell(view, 6, 3);
    Key(Qt::Key_Up, Qt::AltModifier);
    Key(Qt::Key_Insert);
    EXPECT_EQ(Segments(), "0-1 0,1-2 0,2-3 0,3-4 0,2-100 0,- ,3-102 125,100-101 0,102-103 0,");
    Key(Qt::Key_Delete), Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Segments(), opened);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, Centre(view, 7, 3));
    Key(Qt::Key_C), Key(Qt::Key_D);
    EXPECT_EQ(QApplication::clipboard()->text(), "125\n0\n");
    EXPECT_EQ(Segments(), "0-1 0,1-2 0,2-3 0,3-4 0,2-100 0,100-101 0,3-102 125,102-103 125,");

    Key(Qt::Key_F);
    QTest::keyClicks(window->NodeFinder(), "102");
    QListWidget* places = window->NodePlaces();
    ASSERT_EQ(places->count(), 3);
    EXPECT_EQ(places->item(2)->text(), "节点负荷 第7行 节点编号");
    QTest::mouseClick(places->viewport(), Qt::LeftButton, {}, Centre(places, 1, 0));
    EXPECT_EQ(view->currentIndex(), view->model()->index(7, 1));
    dialogs.texts = {"5", "9"};
    Key(Qt::Key_G), Key(Qt::Key_G);
    EXPECT_EQ(view->currentIndex().row(), 4);
    EXPECT_EQ(dialogs.shown, Lines({"转到行|行号(1-8):|", "转到行|行号(1-8):|", "pelu|行号应为1到8之间的整数。"}));

    for (int step = 0; step < 5; ++step) Key(Qt::Key_Z);
    EXPECT_EQ(Segments(), opened);
    EXPECT_EQ(view->currentIndex().row(), 5);  // the rows of the first move, shown again
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(TableEditorTest, ClosingWithChangesAsksAndDoesWhatTheAnswerSays) {
    using Answer = WindowDialogs::YesNoCancel;
    const std::string bytes = ReadBytes(SourcePath("examples/small_tree.TXT"));
    for (const Answer answer : {Answer::Yes, Answer::No, Answer::Cancel}) {
        Open("net.TXT", bytes);
        TypeIntoCell(ShowGrid(Grid::kLoads), 0, 2, "0.75");
        dialogs.shown.clear(), dialogs.yesNoCancel = {answer};
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(dialogs.shown, Lines{"确认|数据已修改,是否存盘?"});
        EXPECT_EQ(window.isNull(), answer != Answer::Cancel);
        const bool written = ReadBytes(File("net.TXT")) != bytes;
        EXPECT_EQ(written, answer == Answer::Yes);
        EXPECT_EQ(written, ReadBytes(File("net.TXT")).find(" 1 , .75 \r\n") != std::string::npos);
        delete window.data();
    }
}

TEST_F(TableEditorTest, CsvExportKeepsTheFileOrderAndImportBringsTheRowsBack) {
    const std::string bytes = ReadBytes(SourcePath("examples/out_of_order.TXT"));
    Open("net.TXT", bytes);
    const NetworkTable opened = window->Document().Table();
    QTableView* view = ShowGrid(Grid::kSegments);
    QHeaderView* header = view->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, {header->sectionViewportPosition(4) + 5, 5});
    ASSERT_EQ(view->model()->index(0, 4).data().toString(), "40");  // shown by length, shortest first

    const auto trigger = [&](const char* action, const std::string& answer) {
        dialogs.texts = {answer};
        window->findChild<QAction*>(action)->trigger();
    };
    trigger("exportCsv", File("segments.csv"));
    CellRows expected = {{"起点编号", "终点编号", "管径(mm)", "管段长度(m)", "局部阻力折算长度(m)"}};
    for (const auto& row : opened.segments) expected.emplace_back(row.begin(), row.end());
    EXPECT_EQ(ReadBytes(File("segments.csv")), "\xEF\xBB\xBF" + CsvText(expected));

    ClickCell(view, 0, 0);
    Key(Qt::Key_A), Key(Qt::Key_Delete);
    EXPECT_TRUE(window->Document().Table().segments.empty());
    trigger("importCsv", File("segments.csv"));
    EXPECT_EQ(window->Document().Table(), opened);
    Key(Qt::Key_S);
    EXPECT_EQ(ReadBytes(File("net.TXT")), Rewritten(SourcePath("examples/out_of_order.TXT")));
    EXPECT_EQ(dialogs.shown, Lines({"导出CSV|输入CSV文件名:|" + File("net") + "_管段.csv",
                                    "导入CSV|输入CSV文件名:|" + File("net") + "_管段.csv"}));
}

}  // namespace
}  // namespace heatnet::testing
