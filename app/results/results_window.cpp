#include "app/results/results_window.h"

#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/entry_windows/message_box_dialogs.h"
#include "app/entry_windows/network_map_window.h"
#include "app/results/network_map_view.h"
#include "app/results/pressure_plot_view.h"
#include "app/results/result_tables.h"
#include "app/table_editor/open_table_editors.h"
#include "app/table_editor/table_editor_window.h"
#include "data/base_data_file.h"
#include "data/file_io.h"
#include "data/gbk_text.h"
#include "reports/inp_export.h"
#include "reports/results_csv.h"
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

// Selects the row standing for `key`, as a click on it would.
void SelectRowOfKey(ResultTable* table, int key) {
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->KeyOfRow(row) == key) {
            table->selectRow(row);
            table->scrollToItem(table->item(row, 0));
            return;
        }
}

// The network as its data file gives it, so the map is the one the batch command
// draws; should the file have gone since, its segments as the calculation read
// them.
std::unique_ptr<ProjectData> CalculatedNetwork(const NetworkModel& model) {
    auto data = std::make_unique<ProjectData>();
    if (ReadBaseDataFile(model.dataFileName, *data).empty()) return data;
    data = std::make_unique<ProjectData>();
    data->pipeCount = double(std::min(model.SegmentCount(), kMaxRecords));
    data->nodeCount = double(std::min(int(model.loadRecords.size()), kMaxRecords) + 1);
    data->branchStartNode = model.branchStartNode;
    for (int s = 0; s < std::min(model.SegmentCount(), kMaxRecords); ++s) {
        const NetworkSegment& segment = model.segments[s];
        data->pipes[s + 1] = {segment.givenDiameter, segment.length, segment.equivalentLength, segment.nodeI, segment.nodeJ};
    }
    for (int k = 0; k < std::min(int(model.loadRecords.size()), kMaxRecords); ++k) data->loads[k + 1] = model.loadRecords[k];
    return data;
}

}  // namespace

ResultsWindow::ResultsWindow(std::unique_ptr<CalculationResult> result, std::vector<std::string> transcript,
                             EditorOpener openInEditor, WindowDialogs* dialogs)
    : result_(std::move(result)), openInEditor_(std::move(openInEditor)) {
    if (!dialogs) ownDialogs_ = std::make_unique<MessageBoxDialogs>();
    dialogs_ = dialogs ? dialogs : ownDialogs_.get();
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
    tabs_->addTab(MakeMapTab(), "管网图");
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
    auto* exportInp = new QPushButton("导出INP");
    exportInp->setObjectName("exportInp");
    connect(exportInp, &QPushButton::clicked, this, &ResultsWindow::ExportInp);
    auto* exportCsv = new QPushButton("导出CSV");
    exportCsv->setObjectName("exportCsv");
    connect(exportCsv, &QPushButton::clicked, this, &ResultsWindow::ExportCsv);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportInp);
    buttons->addWidget(exportCsv);
    buttons->addStretch();
    buttons->addWidget(editDataButton_);
    buttons->addWidget(openReport);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);

    FollowClickedRow(nodes_, [this](int index) { plot_->HighlightNode(plot_->PositionOfIndex(index)); });
    FollowClickedRow(segments_, [this](int segment) { plot_->HighlightSegment(segment); });
    FollowClickedRow(nodes_, [this](int index) { ShowInEditor(nodes_, index); });
    FollowMapClicks();
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

QWidget* ResultsWindow::MakeMapTab() {
    std::vector<std::string> notes;
    map_ = new NetworkMapView(MapOfEditedNetwork(*CalculatedNetwork(result_->model), result_->model.dataFileName, notes),
                              result_.get());
    map_->setObjectName("map");
    map_->SetTitle(plot_->Title());
    auto* quantity = new QComboBox;
    quantity->setObjectName("quantity");
    for (const MapQuantity shown : {MapQuantity::kDiameter, MapQuantity::kLossShareOfLimit, MapQuantity::kVelocity,
                                    MapQuantity::kFlow})
        quantity->addItem(QuantityName(shown).section(' ', 0, 0), int(shown));
    connect(quantity, &QComboBox::currentIndexChanged, map_,
            [this, quantity] { map_->SetQuantity(MapQuantity(quantity->currentData().toInt())); });
    auto* tab = new QWidget;
    auto* buttons = new QHBoxLayout;
    auto* whole = new QPushButton("显示全图");
    connect(whole, &QPushButton::clicked, map_, &NetworkMapView::ResetView);
    buttons->addWidget(whole);
    buttons->addWidget(quantity);
    for (const std::string& note : notes) buttons->addWidget(new QLabel(QString::fromStdString(note)));
    buttons->addStretch();
    for (const QString format : {"png", "svg", "pdf"}) {
        auto* button = new QPushButton("导出 " + format.toUpper());
        button->setObjectName("mapExport" + format);
        connect(button, &QPushButton::clicked, map_, [this, format] { map_->ExportWithDialog(format); });
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(map_, 1);
    layout->addLayout(buttons);
    return tab;
}

// A click on the map selects the row in 管段 or 节点, whose selection then shows
// the segment or the way to the node in 水压图 (and the editor); a row selected
// there, or a node clicked in 水压图, shows on the map.
void ResultsWindow::FollowMapClicks() {
    const MapResults& links = *map_->Results();
    connect(map_, &NetworkMapView::segmentClicked, this, [this, &links](int segment) {
        const int position = links.ModelSegment(segment);
        if (position < 0) return;
        SelectRowOfKey(segments_, position);
        plot_->HighlightSegment(position);
        map_->HighlightSegment(segment);
    });
    connect(map_, &NetworkMapView::nodeClicked, this, [this, &links](int node) {
        const int index = links.ModelNode(node);
        if (index < 0) return;
        SelectRowOfKey(nodes_, index);
        plot_->HighlightNode(plot_->PositionOfIndex(index));
        map_->HighlightNodes({node});
    });
    FollowClickedRow(segments_, [this, &links](int segment) { map_->HighlightSegment(links.MapSegmentOf(segment)); });
    FollowClickedRow(nodes_, [this, &links](int index) {
        const int node = links.MapNodeOf(index);
        map_->HighlightNodes(node >= 0 ? std::vector<int>{node} : std::vector<int>{});
    });
    connect(plot_, &PressurePlotView::nodeClicked, this, [this, &links](int position) {
        const int node = links.MapNodeOf(plot_->Plot().nodes[position].index);
        map_->HighlightNodes(node >= 0 ? std::vector<int>{node} : std::vector<int>{});
    });
}

void ResultsWindow::ExportInp() {
    const NetworkModel& model = result_->model;
    const std::optional<std::string> path =
        dialogs_->AskFileToWrite("导出INP", model.baseName + ".inp", "EPANET INP文件 (*.inp)");
    if (!path || path->empty()) return;
    const std::unique_ptr<ProjectData> data = CalculatedNetwork(model);
    std::string note;
    const auto coordinates = ExchangeCoordinates(*data, model.dataFileName, &note);
    const std::string error = WriteInpFile(*path, *data, model, result_->table, coordinates);
    dialogs_->ShowMessage(error.empty() ? "已导出 " + *path + (note.empty() ? "" : "\r\n" + note) : error, "导出INP");
}

void ResultsWindow::ExportCsv() {
    const NetworkModel& model = result_->model;
    const std::optional<std::string> folder = dialogs_->AskFolder(
        "导出CSV", QFileInfo(QString::fromStdString(model.dataFileName)).absolutePath().toStdString());
    if (!folder || folder->empty()) return;
    const std::string error = WriteResultsCsv(*folder, *CalculatedNetwork(model), model, result_->table);
    dialogs_->ShowMessage(error.empty() ? "已导出 " + *folder + "/" + kNodeCsvName + " 和 " + *folder + "/" +
                                              kSegmentCsvName
                                        : error,
                          "导出CSV");
}

void ResultsWindow::ShowReport() {
    if (result_->reportFile.empty()) return;
    const std::optional<std::string> bytes = ReadWholeFile(result_->reportFile);
    const std::optional<std::string> text = bytes ? GbkToUtf8(*bytes) : std::nullopt;
    report_->setPlainText(text ? QString::fromStdString(*text).remove('\r')
                               : "无法读取报告文件 " + QString::fromStdString(result_->reportFile));
}

}  // namespace heatnet
