// The results window a completed calculation opens beside the main window.
#include <map>
#include <set>

#include <QClipboard>
#include <QHeaderView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>

#include "app/results/pressure_plot_view.h"
#include "app/results/result_table.h"
#include "data/gbk_text.h"
#include "data/number_text.h"
#include "gui_test_support.h"

namespace heatnet::testing {
namespace {

// The rows of the report's table headed by a line starting with `head`, each as
// its blank-separated fields, from `skip` lines below the head to an empty line.
std::vector<QStringList> ReportRows(const QStringList& lines, const QString& head, int skip) {
    std::vector<QStringList> rows;
    const qsizetype start = lines.indexOf(QRegularExpression("^" + head + ".*"));
    for (qsizetype at = start + 1 + skip; start >= 0 && at < lines.size() && !lines[at].isEmpty(); ++at)
        rows.push_back(lines[at].split(' ', Qt::SkipEmptyParts));
    return rows;
}

QStringList Cells(const ResultTable* table, int row) {
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column)
        if (!table->item(row, column)->text().isEmpty()) cells << table->item(row, column)->text();
    return cells;
}

// A node's hover text from its row of the report's node table.
QString Hover(double distance, const QStringList& row) {
    const auto kPa = [&](int field) { return QString::number(row[field].toDouble(), 'f', 2); };
    return QString("节点 %1\n距离 %2 m\n供水压力 %3 kPa\n回水压力 %4 kPa\n供回水压差 %5 kPa")
        .arg(row[0], QString::number(distance, 'f', 1), kPa(3), kPa(4), kPa(5));
}

class ResultsWindowTest : public Program {
protected:
    // Runs a copy of a network, its first line replaced unless empty, answering no
    // to the workbook; the window it opened, or nullptr.
    ResultsWindow* Run(const std::string& name, std::string firstLine = "",
                       const char* network = "examples/small_tree.TXT") {
        std::string bytes = ReadBytes(SourcePath(network));
        if (!firstLine.empty()) bytes.replace(0, bytes.find('\r'), firstLine);
        WriteBytes(File(name), bytes);
        dialogs.yesNo = {false};
        Choose("Command1", QString::fromStdString(name));
        const auto windows = program.Results().Windows();
        return windows.empty() ? nullptr : windows.back();
    }
    static int PixelsOf(QWidget* widget, QRgb colour) {
        const QImage image = widget->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
        return count;
    }
    static std::vector<std::string> Items(const QListWidget* list) {
        std::vector<std::string> items;
        for (int row = 0; row < list->count(); ++row) items.push_back(list->item(row)->text().toStdString());
        return items;
    }
};

TEST_F(ResultsWindowTest, RunShowsTheReportAndEverythingThePersonWasToldInOrder) {
    ResultsWindow* window = Run("low pressure.TXT", " 130 , 70 , -300 , 50 , .4 ");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "计算结果 - low pressure.TXT");
    EXPECT_TRUE(window->isVisible() && !window->parentWidget() && window->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_TRUE(window->Report()->toPlainText().contains("供回水压差"));  // decoded from GBK
    EXPECT_FALSE(window->Report()->toPlainText().contains('\r'));
    const auto transcript = Items(window->Transcript());
    ASSERT_EQ(transcript.size(), 11u);  // nine low-pressure lines, the workbook question, the report's name
    EXPECT_TRUE(transcript[0].starts_with("P<2100  1  -181637.52"));
    EXPECT_TRUE(transcript[8].starts_with("P<2100  9 "));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(transcript[9], "[确认] 是否将计算结果形成额EXCEL表 —— 否");
    EXPECT_EQ(transcript[10], "[pelu] " + dialogs.shown[1].substr(5));
    EXPECT_TRUE(transcript[10].starts_with("[pelu] 计算表见:" + File("low pressure_OUT.TXT")));
    EXPECT_EQ(edited, Lines{File("low pressure_OUT.TXT")});  // as before, and again on the button
    Click(window, "openReport");
    EXPECT_EQ(edited, (Lines{File("low pressure_OUT.TXT"), File("low pressure_OUT.TXT")}));
    EXPECT_TRUE(std::ranges::all_of(window->Plot()->Plot().nodes, [](const PlotNode& n) {
        return n.index == 0 || n.lowPressure; }));
}

TEST_F(ResultsWindowTest, TablesSortByNumberCopyRowsAndHighlightInTheDiagram) {
    ResultsWindow* window = Run("small_tree.TXT");
    ASSERT_NE(window, nullptr);
    ResultTable* nodes = window->Nodes();
    const int flowColumn = 2;  // 水量: "10." sorts before "4.3" as text
    nodes->sortByColumn(flowColumn, Qt::AscendingOrder);
    ASSERT_GT(nodes->rowCount(), 5);
    for (int row = 1; row < nodes->rowCount(); ++row)
        EXPECT_LE(nodes->item(row - 1, flowColumn)->text().toDouble(), nodes->item(row, flowColumn)->text().toDouble());

    ResultTable* segments = window->Segments();
    EXPECT_EQ(PixelsOf(window->Plot(), kHighlightColour), 0);
    segments->selectRow(2);
    EXPECT_GT(PixelsOf(window->Plot(), kHighlightColour), 20);
    const int segment = segments->KeyOfRow(2);
    const PressurePlotView* plot = window->Plot();
    EXPECT_EQ(plot->highlightedSegment(), segment);
    const NetworkSegment& chosen = window->Result().model.segments.at(segment);
    ASSERT_EQ(plot->HighlightedEdges().size(), 1u);
    const auto [from, to] = plot->HighlightedEdges()[0];
    EXPECT_EQ(std::minmax({plot->Plot().nodes[from].index, plot->Plot().nodes[to].index}),
              std::minmax({chosen.indexI, chosen.indexJ}));
    QTest::keyClick(segments, Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    EXPECT_TRUE(copied.value(0).startsWith("序号\t起点 I0\t终点 J0\t管径 D mm"));
    EXPECT_EQ(copied.value(1).split('\t').value(0), "3");
    EXPECT_EQ(copied.size(), 3);  // header, row, nothing after the last line end

    for (int row : {0, 1}) {  // the heat source, then the node of least flow
        nodes->selectRow(row);
        EXPECT_EQ(plot->highlightedSegment(), -1);
        ASSERT_GE(plot->highlightedNode(), 0);
        EXPECT_EQ(NumberInText(plot->Plot().nodes[plot->highlightedNode()].nodeNumber),
                  nodes->item(row, 0)->text().toStdString());
        EXPECT_EQ(plot->HighlightedEdges().size(), row == 0 ? 0u : 4u);  // 0-1-2-3-102
    }
}

// Pressures of millions of kPa.
TEST_F(ResultsWindowTest, DiagramIsPaintedAndExportsAsPngSvgAndPdfUnderItsTitle) {
    ResultsWindow* window = Run("high.TXT", "", "tests/networks/ill_conditioned.TXT");
    ASSERT_NE(window, nullptr);
    PressurePlotView* plot = window->Plot();
    plot->resize(800, 500);
    EXPECT_GT(PixelsOf(plot, kSupplyColour), 200);
    EXPECT_GT(PixelsOf(plot, kReturnColour), 200);
    EXPECT_TRUE(QRegularExpression("^high\\.TXT  \\d{4}-\\d\\d-\\d\\d$").match(plot->Title()).hasMatch())
        << plot->Title().toStdString();
    for (const auto& [name, head] : {std::pair{"plot.png", "\x89PNG\r\n\x1a\n"}, {"plot.svg", "<svg"}, {"plot.pdf", "%PDF"}}) {
        ASSERT_TRUE(plot->Export(QString::fromStdString(File(name)))) << name;
        const std::string bytes = ReadBytes(File(name));
        EXPECT_NE(bytes.substr(0, 400).find(head), std::string::npos) << name;
    }
    EXPECT_FALSE(plot->Export(QString::fromStdString(File("plot.bmpx"))));
    // Every text of the picture: the title once, then plain numbers on both axes.
    QStringList texts;
    const QString svg = QString::fromStdString(ReadBytes(File("plot.svg")));
    for (const auto& match : QRegularExpression(">([^<>]+)</text>").globalMatch(svg)) texts << match.captured(1).trimmed();
    EXPECT_EQ(texts.count(plot->Title()), 1);
    const QStringList labels = texts.filter(QRegularExpression("^-?[0-9.e+]+$"));
    EXPECT_GT(labels.size(), 10);
    for (const QString& label : labels) EXPECT_TRUE(!label.contains('e') && label.size() <= 9) << label.toStdString();
}

// The row clicked decides what the diagram highlights: after a Shift-click, a
// click on a row already selected, one made after clicking a node in the diagram,
// a Ctrl-click taking a row away, and after sorting by a column head.
TEST_F(ResultsWindowTest, DiagramHighlightsTheSegmentOfTheRowClicked) {
    ResultsWindow* window = Run("small_tree.TXT");
    ASSERT_NE(window, nullptr);
    QTabBar* tabs = window->Tabs()->tabBar();
    ResultTable* segments = window->Segments();
    PressurePlotView* plot = window->Plot();
    const auto click = [&](int row, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QTest::mouseClick(segments->viewport(), Qt::LeftButton, keys,
                          segments->visualRect(segments->model()->index(row, 2)).center());
        EXPECT_EQ(plot->highlightedSegment(), segments->KeyOfRow(row)) << row << " " << keys;
    };
    ASSERT_GE(segments->rowCount(), 5);
    click(1), click(4, Qt::ShiftModifier), click(1);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    QTest::mouseClick(plot, Qt::LeftButton, {}, plot->PointOf(3, true).toPoint());
    ASSERT_EQ(plot->highlightedNode(), 3);
    click(1), click(3, Qt::ControlModifier), click(3, Qt::ControlModifier);
    QHeaderView* header = segments->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(8) + 5, header->height() / 2));
    click(0), click(0), click(2);
}

// Node numbers are thinned at a zoom; a dot shows its own node wherever the mouse
// is on it, though a node without a dot may lie nearer.
TEST_F(ResultsWindowTest, HoveringADotTellsItsOwnNode) {
    ResultsWindow* window = Run("dense.TXT", "", "tests/networks/tree_399.TXT");
    ASSERT_NE(window, nullptr);
    PressurePlotView* plot = window->Plot();
    const std::vector<int> dotted = plot->DottedNodes();
    std::vector<QPointF> hidden;
    for (int q = 0; q < int(plot->Plot().nodes.size()); ++q)
        if (std::ranges::find(dotted, q) == dotted.end()) hidden.push_back(plot->PointOf(q, true));
    int nearerHidden = 0;
    for (int p : dotted) {
        const QPointF dot = plot->PointOf(p, true);
        for (const QPoint offset : {QPoint(0, 0), QPoint(2, 0), QPoint(-2, 0), QPoint(0, 2), QPoint(0, -2)}) {
            const QPoint at = dot.toPoint() + offset;
            QTest::mouseMove(plot, at);
            EXPECT_EQ(QToolTip::text(), plot->Describe(p)) << p << " " << offset.x() << "," << offset.y();
            nearerHidden += std::ranges::count_if(hidden, [&](QPointF q) { return QLineF(q, at).length() < QLineF(dot, at).length(); });
        }
    }
    EXPECT_GT(nearerHidden, 0);
}

// What the window shows and draws, value for value against the report the same
// calculation wrote, on a network with branches: every node and segment.
TEST_F(ResultsWindowTest, TablesDiagramAndHoverTextsAgreeWithTheReport) {
    const ResultsWindow* window = Run("branches.TXT", "", "tests/networks/tree_branches_100.TXT");
    ASSERT_NE(window, nullptr);
    const QStringList lines =
        QString::fromStdString(GbkToUtf8(ReadBytes(File("branches_OUT.TXT"))).value_or("")).split("\r\n");
    const auto nodeRows = ReportRows(lines, "节点号", 1);  // below the units
    const auto segmentRows = ReportRows(lines, "序号", 3);  // below the units and the source's row
    ASSERT_EQ(window->Nodes()->rowCount(), int(nodeRows.size()));
    ASSERT_EQ(window->Segments()->rowCount(), int(segmentRows.size()));
    for (size_t row = 0; row < nodeRows.size(); ++row) EXPECT_EQ(Cells(window->Nodes(), row), nodeRows[row]);
    for (size_t row = 0; row < segmentRows.size(); ++row) EXPECT_EQ(Cells(window->Segments(), row), segmentRows[row]);

    // Distances walked from the source along the report's segments (I0, J0, L).
    std::map<QString, double> distance{{"0", 0}};
    std::set<std::pair<QString, QString>> joined;
    for (size_t pass = 0; pass < segmentRows.size(); ++pass)
        for (const QStringList& row : segmentRows)
            for (const auto& [from, to] : {std::pair{row[1], row[2]}, {row[2], row[1]}}) {
                joined.insert({from, to});
                if (distance.contains(from) && !distance.contains(to)) distance[to] = distance[from] + row[4].toDouble();
            }
    std::map<QString, QStringList> reportNode;
    for (const QStringList& row : nodeRows) reportNode[row[0]] = row;
    PressurePlotView* view = window->Plot();
    const PressurePlot& plot = view->Plot();
    ASSERT_EQ(plot.nodes.size(), nodeRows.size());
    const auto numberAt = [&](int p) { return QString::fromStdString(NumberInText(plot.nodes[p].nodeNumber)); };
    for (int p = 0; p < int(plot.nodes.size()); ++p) {
        const QStringList& row = reportNode.at(numberAt(p));
        EXPECT_EQ(plot.nodes[p].distance, distance.at(row[0])) << row[0].toStdString();
        EXPECT_NEAR(plot.nodes[p].supply, row[3].toDouble(), 0.005) << row[0].toStdString();
        EXPECT_NEAR(plot.nodes[p].ret, row[4].toDouble(), 0.005) << row[0].toStdString();
        EXPECT_EQ(view->Describe(p), Hover(distance.at(row[0]), row));
    }
    // Every node lies on a drawn line, whose neighbours a segment of the report joins.
    std::set<int> drawn;
    for (const PlotLine& line : plot.lines)
        for (size_t k = 0; k < line.nodes.size(); ++k) {
            drawn.insert(line.nodes[k]);
            EXPECT_TRUE(k == 0 || joined.contains({numberAt(line.nodes[k - 1]), numberAt(line.nodes[k])}));
        }
    EXPECT_EQ(drawn.size(), plot.nodes.size());
    EXPECT_GT(plot.lines.size(), 3u);
    // The mouse on a branch node's return dot.
    const std::vector<int> dotted = view->DottedNodes();
    const auto branch = std::ranges::find_if(dotted, [&](int p) { return !plot.nodes[p].mainLine; });
    ASSERT_NE(branch, dotted.end());
    QTest::mouseMove(view, view->PointOf(*branch, false).toPoint());
    EXPECT_EQ(QToolTip::text(), Hover(distance.at(numberAt(*branch)), reportNode.at(numberAt(*branch))));
}

// 导出INP and 导出CSV write, where the person answers, the very bytes heatnet-calc
// writes for the same file; a cancelled dialog writes nothing, a failed write is told.
TEST_F(ResultsWindowTest, ExportsInpAndCsvByteForByteAsTheBatchCommand) {
    ResultsWindow* window = Run("tree.TXT");
    ASSERT_NE(window, nullptr);
    dialogs.shown.clear();
    dialogs.texts = {File("gui.inp"), std::nullopt, File("gui csv"), File("no folder/x.inp")};
    for (const char* button : {"exportInp", "exportCsv", "exportCsv", "exportInp"}) Click(window, button);
    EXPECT_EQ(dialogs.shown,
              (Lines{"导出INP|文件名:|" + File("tree.inp"), "导出INP|已导出 " + File("gui.inp"), "导出CSV|文件夹:|" + here.toStdString(),
                     "导出CSV|文件夹:|" + here.toStdString(),
                     "导出CSV|已导出 " + File("gui csv/节点.csv") + " 和 " + File("gui csv/管段.csv"),
                     "导出INP|文件名:|" + File("tree.inp"),
                     "导出INP|INP文件 " + File("no folder/x.inp") + " 无法写入,请检查文件夹和文件是否可写。"}));
    QProcess calc;
    calc.setWorkingDirectory(here);
    calc.start(HEATNET_CALC, {"--export-inp", "calc.inp", "--csv", "calc csv", QString::fromStdString(File("tree.TXT"))});
    ASSERT_TRUE(calc.waitForFinished(60000) && calc.exitCode() == 0) << calc.readAllStandardError().toStdString();
    for (const auto& [gui, batch] : {std::pair{"gui.inp", "calc.inp"}, {"gui csv/节点.csv", "calc csv/节点.csv"},
                                     {"gui csv/管段.csv", "calc csv/管段.csv"}})
        EXPECT_EQ(ReadBytes(File(gui)), ReadBytes(File(batch))) << gui;
    EXPECT_TRUE(ReadBytes(File("gui.inp")).starts_with(";heatnet "));
}

}  // namespace
}  // namespace heatnet::testing
