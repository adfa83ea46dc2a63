// The results window a completed calculation opens beside the main window.
#include <QClipboard>
#include <QHeaderView>
#include <QListWidget>
#include <QPlainTextEdit>

#include "app/results/pressure_plot_view.h"
#include "app/results/result_table.h"
#include "data/number_text.h"
#include "gui_test_support.h"

namespace heatnet::testing {
namespace {

class ResultsWindowTest : public Program {
protected:
    // Runs a copy of an example, its first line changed by `edit`, answering no
    // to the workbook; the window it opened, or nullptr.
    ResultsWindow* Run(const std::string& name, std::string firstLine = "") {
        std::string bytes = ReadBytes(SourcePath("examples/small_tree.TXT"));
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

TEST_F(ResultsWindowTest, DiagramIsPaintedAndExportsAsPngSvgAndPdf) {
    ResultsWindow* window = Run("small_tree.TXT");
    ASSERT_NE(window, nullptr);
    PressurePlotView* plot = window->Plot();
    plot->resize(800, 500);
    EXPECT_GT(PixelsOf(plot, kSupplyColour), 200);
    EXPECT_GT(PixelsOf(plot, kReturnColour), 200);
    for (const auto& [name, head] : {std::pair{"plot.png", "\x89PNG\r\n\x1a\n"}, {"plot.svg", "<svg"}, {"plot.pdf", "%PDF"}}) {
        ASSERT_TRUE(plot->Export(QString::fromStdString(File(name)))) << name;
        const std::string bytes = ReadBytes(File(name));
        EXPECT_NE(bytes.substr(0, 400).find(head), std::string::npos) << name;
    }
    EXPECT_FALSE(plot->Export(QString::fromStdString(File("plot.bmpx"))));
}

}  // namespace
}  // namespace heatnet::testing
