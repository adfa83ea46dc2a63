// The map of the network: the results window's 管网图 tab and the map of a network
// being edited, with its topology faults.
#include <numeric>
#include <set>

#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include "app/entry_windows/network_map_window.h"
#include "app/results/network_map_view.h"
#include "app/results/pressure_plot_view.h"
#include "app/results/result_table.h"
#include "app/table_editor/table_editor_window.h"
#include "gui_test_support.h"

namespace heatnet::testing {
namespace {

class NetworkMapTest : public Program {
protected:
    // Calculates small_tree.TXT, answering no to the workbook; its results window.
    ResultsWindow* Run() {
        WriteBytes(File("small_tree.TXT"), ReadBytes(SourcePath("examples/small_tree.TXT")));
        dialogs.yesNo = {false};
        Choose("Command1", "small_tree.TXT");
        const auto windows = program.Results().Windows();
        return windows.empty() ? nullptr : windows.back();
    }
    static int CurrentKey(const ResultTable* table) {
        return table->currentRow() >= 0 ? table->KeyOfRow(table->currentRow()) : -1;
    }
    static QPointF Middle(const NetworkMapView* map, const MapSegment& segment) {
        return (map->PointOf(segment.from) + map->PointOf(segment.to)) / 2;
    }
};

TEST_F(NetworkMapTest, TabDrawsEverySegmentAndSelectsWithTheSegmentTable) {
    ResultsWindow* window = Run();
    ASSERT_NE(window, nullptr);
    QTabBar* tabs = window->Tabs()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    NetworkMapView* map = window->Map();
    ASSERT_EQ(window->Tabs()->currentWidget(), map->parentWidget());
    ResultTable* table = window->Segments();
    ASSERT_EQ(int(map->Map().segments.size()), table->rowCount());
    // Each segment is drawn where it lies and stands for its own row.
    const QImage picture = map->grab().toImage();
    std::set<int> rows;
    for (int s = 0; s < table->rowCount(); ++s) {
        const QPoint middle = Middle(map, map->Map().segments[s]).toPoint();
        EXPECT_NE(picture.pixel(middle), qRgb(255, 255, 255)) << s;
        rows.insert(map->Results()->ModelSegment(s));
        QTest::mouseClick(map, Qt::LeftButton, {}, middle);
        ASSERT_EQ(map->HighlightedSegment(), s);
        EXPECT_EQ(CurrentKey(table), map->Results()->ModelSegment(s)) << s;
        EXPECT_EQ(window->Plot()->highlightedSegment(), map->Results()->ModelSegment(s)) << s;
    }
    EXPECT_EQ(int(rows.size()), table->rowCount());
    EXPECT_FALSE(rows.contains(-1));
    // Coloured by 流速 when chosen: the fastest at the scale's top, the slowest at its foot.
    for (Qt::Key key : {Qt::Key_End, Qt::Key_Up}) QTest::keyClick(Find<QWidget>(window, "quantity"), key);
    const auto flow = [&](int s) { return map->Results()->Value(s, MapQuantity::kVelocity); };
    std::vector<int> order(map->Map().segments.size());
    std::iota(order.begin(), order.end(), 0);
    std::ranges::sort(order, {}, flow);
    const QImage coloured = map->grab().toImage();
    EXPECT_EQ(coloured.pixel(Middle(map, map->Map().segments[order.back()]).toPoint()), qRgb(94, 201, 98));
    EXPECT_EQ(coloured.pixel(Middle(map, map->Map().segments[order.front()]).toPoint()), qRgb(68, 1, 84));
    // And the other way round, from a clicked row.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    for (int row : {4, 1}) {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(row, 2)).center());
        EXPECT_EQ(map->Results()->ModelSegment(map->HighlightedSegment()), table->KeyOfRow(row));
    }
}

// Hovering a node tells the values of its row of the report's node table; a
// click on it selects that row.
TEST_F(NetworkMapTest, NodeHoverTellsTheReportsValuesAndAClickSelectsItsRow) {
    ResultsWindow* window = Run();
    ASSERT_NE(window, nullptr);
    window->Tabs()->setCurrentIndex(3);
    NetworkMapView* map = window->Map();
    const QStringList lines = window->Report()->toPlainText().split('\n');
    const qsizetype head = lines.indexOf(QRegularExpression("^节点号.*"));
    ASSERT_GE(head, 0);
    int checked = 0;
    for (qsizetype at = head + 2; at < lines.size() && !lines[at].isEmpty(); ++at, ++checked) {
        const QStringList row = lines[at].split(' ', Qt::SkipEmptyParts);
        const int node = map->Map().NodePosition(row[0].toDouble());
        ASSERT_GE(node, 0) << row[0].toStdString();
        QTest::mouseMove(map, map->PointOf(node).toPoint());
        EXPECT_EQ(map->toolTip().section('\n', 0, 5),
                  QString("节点 %1\n热负荷 %2 MW\n水量 %3 t/h\n供水压力 %4 kPa\n回水压力 %5 kPa\n供回水压差 %6 kPa")
                      .arg(row[0], row[1], row[2], row[3], row[4], row[5]));
        QTest::mouseClick(map, Qt::LeftButton, {}, map->PointOf(node).toPoint());
        EXPECT_EQ(CurrentKey(window->Nodes()), map->Results()->ModelNode(node));
        EXPECT_EQ(window->Plot()->highlightedNode(), window->Plot()->PositionOfIndex(map->Results()->ModelNode(node)));
    }
    EXPECT_EQ(checked, 9);
}

// A segment far from node 0 is drawn red and named in the list of the table
// editor's map, with the calculation's words; a click on it selects its nodes.
// The fill-in's map shows the same network.
TEST_F(NetworkMapTest, MapBeforeCalculatingListsAnUnconnectedSegment) {
    std::string bytes = ReadBytes(SourcePath("examples/small_tree.TXT"));
    bytes.replace(bytes.find(" 9 , 8 "), 7, " 11 , 9 ");
    bytes.insert(bytes.find(" 1 , .5 "), " 0 , 30 , 0 , 200 , 201 \r\n");
    WriteBytes(File("apart.TXT"), bytes + " 200 , .1 \r\n 201 , .1 \r\n");
    WriteBytes(File("apart.xy.csv"), "节点,x,y\n200,5000,7000\n");
    program.OpenInTableEditor("apart.TXT");
    TableEditorWindow* editor = program.TableEditors().Windows().value(0);
    ASSERT_NE(editor, nullptr);
    auto* tools = Find<QToolBar>(editor, "tools");
    QTest::mouseClick(tools->widgetForAction(Find<QAction>(editor, "networkMap")), Qt::LeftButton);
    auto* window = editor->findChild<NetworkMapWindow*>();
    ASSERT_NE(window, nullptr);
    // The calculation's own words for the segment.
    const QString expected = "有1根管道与主热源(节点0)不相连:第9根管道(节点200-201),请检查管段起点和终点编号。";
    QListWidget* faults = window->Faults();
    const auto found = faults->findItems(expected, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << faults->item(0)->text().toStdString();
    QTest::mouseClick(faults->viewport(), Qt::LeftButton, {}, faults->visualItemRect(found[0]).center());
    NetworkMapView* map = window->View();
    const int planted = map->Map().NodePosition(200);
    ASSERT_GE(planted, 0);
    EXPECT_TRUE(map->Map().nodes[planted].placedByFile);
    EXPECT_EQ(map->Map().nodes[planted].at.x, 5000);
    EXPECT_TRUE(std::ranges::find(map->HighlightedNodes(), planted) != map->HighlightedNodes().end());
    EXPECT_EQ(map->grab().toImage().pixel(map->PointOf(planted).toPoint()), qRgb(220, 0, 0));
    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    Choose("Command3", "apart.TXT");
    ASSERT_NE(entries.BasicDataWindow(), nullptr);
    Click(entries.BasicDataWindow(), "networkMap");
    auto* fillIn = entries.BasicDataWindow()->findChild<NetworkMapWindow*>();
    ASSERT_NE(fillIn, nullptr);
    EXPECT_EQ(fillIn->View()->Map().segments.size(), 9u);
    EXPECT_EQ(fillIn->Faults()->findItems(expected, Qt::MatchExactly).size(), 1);
}

}  // namespace
}  // namespace heatnet::testing
