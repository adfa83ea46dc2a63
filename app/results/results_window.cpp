#include "app/results/results_window.h"

#include <QDate>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/results/pressure_plot_view.h"
#include "app/results/result_tables.h"
#include "app/table_editor/open_table_editors.h"
#include "app/table_editor/table_editor_window.h"
#include "data/file_io.h"
#include "data/gbk_text.h"
#include "reports/text_report.h"

namespace heatnet {
namespace {

// Chinese characters and digits both in fixed widths, so the report's columns
// line up as far as they can.
QFont ReportFont() {
    QFont font("WenQuanYi Micro Hei Mono");
    font.setStyleHint(QFont::TypeWriter);
    if (QFontInfo(font).family() != font.family()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

// Calls `highlight` with the key of the row the person clicked or stepped to.
// The current row decides, not the rows newly selected: a Shift-click selects
// rows above the one clicked too, and clicking a row already selected (or
// Ctrl-clicking it away) changes no selection at all, so the click itself counts.
void FollowClickedRow(ResultTable* table, const std::function<void(int key)>& highlight) {
    QObject::connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, table, [table, highlight] {
        const QModelIndex current = table->currentIndex();
        if (current.isValid()) highlight(table->KeyOfRow(current.row()));
    });
    QObject::connect(table, &QAbstractItemView::clicked, table,
                     [table, highlight](const QModelIndex& index) { highlight(table->KeyOfRow(index.row())); });
}

}  // namespace

ResultsWindow::ResultsWindow(std::unique_ptr<CalculationResult> result, std::vector<std::string> transcript,
                             EditorOpener openInEditor)
    : result_(std::move(result)), openInEditor_(std::move(openInEditor)) {
    setObjectName("results");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("计算结果 - " + QFileInfo(QString::fromStdString(result_->model.dataFileName)).fileName());
    resize(1100, 720);

    tabs_ = new QTabWidget;
    tabs_->addTab(MakePlotTab(), "水压图");
    nodes_ = MakeNodeTable(*result_);
    nodes_->setObjectName("nodes");
    tabs_->addTab(nodes_, "节点");
    segments_ = MakeSegmentTable(*result_);
    segments_->setObjectName("segments");
    tabs_->addTab(segments_, "管段");
    report_ = new QPlainTextEdit;
    report_->setObjectName("report");
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setFont(ReportFont());
    tabs_->addTab(report_, "报告");
    transcript_ = new QListWidget;
    transcript_->setObjectName("transcript");
    for (const std::string& line : transcript) transcript_->addItem(QString::fromStdString(line));
    tabs_->addTab(transcript_, "提示");
    ShowReport();

    auto* openReport = new QPushButton("用文本编辑器打开");
    openReport->setObjectName("openReport");
    openReport->setEnabled(!result_->reportFile.empty());
    connect(openReport, &QPushButton::clicked, this, [this] { openInEditor_(result_->reportFile); });
    editDataButton_ = new QPushButton("编辑数据");
    editDataButton_->setObjectName("editData");
    editDataButton_->hide();
    connect(editDataButton_, &QPushButton::clicked, this, [this] { editData_(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(editDataButton_);
    buttons->addWidget(openReport);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);

    FollowClickedRow(nodes_, [this](int index) { plot_->HighlightNode(plot_->PositionOfIndex(index)); });
    FollowClickedRow(segments_, [this](int segment) { plot_->HighlightSegment(segment); });
    FollowClickedRow(nodes_, [this](int index) { ShowInEditor(nodes_, index); });
    FollowClickedRow(segments_, [this](int segment) { ShowInEditor(segments_, segment); });
}

void ResultsWindow::OfferTableEditing(std::function<void()> editData,
                                      std::function<TableEditorWindow*()> openEditor) {
    editData_ = std::move(editData);
    openEditor_ = std::move(openEditor);
    editDataButton_->show();
}

// The results list segments in the order of the connection walk and nodes by
// internal index; the editor is found the row in file order holding the same
// two ends or the same node.
void ResultsWindow::ShowInEditor(ResultTable* table, int key) const {
    TableEditorWindow* editor = openEditor_ ? openEditor_() : nullptr;
    if (!editor) return;
    const NetworkModel& model = result_->model;
    if (table == segments_) {
        const NetworkSegment& segment = model.segments[key];
        if (const int row = SegmentRowOfEnds(*editor, ValueOf(segment.nodeI), ValueOf(segment.nodeJ)); row >= 0)
            editor->GoToSegmentRow(row);
    } else {
        const double node = key == model.sourceIndex ? 0 : ValueOf(NodeNumberOfIndex(model, key));
        if (const int row = LoadRowOfNode(*editor, node); row >= 0)
            editor->GoToLoadRow(row);
    }
}

ResultsWindow::~ResultsWindow() = default;

QWidget* ResultsWindow::MakePlotTab() {
    plot_ = new PressurePlotView(BuildPressurePlot(result_->model));
    plot_->setObjectName("plot");
    // The window opens as the calculation completes, so now is its date.
    plot_->SetTitle(QFileInfo(QString::fromStdString(result_->model.dataFileName)).fileName() + "  " +
                    QDate::currentDate().toString("yyyy-MM-dd"));
    auto* tab = new QWidget;
    auto* buttons = new QHBoxLayout;
    auto* whole = new QPushButton("显示全图");
    connect(whole, &QPushButton::clicked, plot_, &PressurePlotView::ResetView);
    buttons->addWidget(whole);
    buttons->addStretch();
    for (const QString format : {"png", "svg", "pdf"}) {
        auto* button = new QPushButton("导出 " + format.toUpper());
        connect(button, &QPushButton::clicked, plot_, [this, format] { plot_->ExportWithDialog(format); });
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_, 1);
    layout->addLayout(buttons);
    return tab;
}

void ResultsWindow::ShowReport() {
    if (result_->reportFile.empty()) return;
    const std::optional<std::string> bytes = ReadWholeFile(result_->reportFile);
    const std::optional<std::string> text = bytes ? GbkToUtf8(*bytes) : std::nullopt;
    report_->setPlainText(text ? QString::fromStdString(*text).remove('\r')
                               : "无法读取报告文件 " + QString::fromStdString(result_->reportFile));
}

}  // namespace heatnet
