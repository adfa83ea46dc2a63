#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "calculation/run_hydraulic_calculation.h"

class QListWidget;
class QPushButton;
class QPlainTextEdit;
class QTabWidget;

namespace heatnet {

class NetworkMapView;
class WindowDialogs;
class PressurePlotView;
class ResultTable;
class TableEditorWindow;

// What one completed calculation produced, beside the main window: the
// water-pressure diagram, the node and segment tables, the report's text and
// everything the person was told during the run. Selecting a table row
// highlights its node or segment in the diagram and on the map of the network,
// and a click on the map selects the row.
class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    using EditorOpener = std::function<void(const std::string& path)>;

    // `dialogs` asks where 导出INP and 导出CSV write and tells how it went; the
    // desktop's own dialogs when none are given.
    ResultsWindow(std::unique_ptr<CalculationResult> result, std::vector<std::string> transcript,
                  EditorOpener openInEditor, WindowDialogs* dialogs = nullptr);
    ~ResultsWindow() override;

    // Shows "编辑数据", which calls `editData`; from then on a row selected in the
    // 节点 or 管段 table brings the table editor `openEditor` returns (nullptr
    // when none holds the calculated file) to that node's load or that segment.
    void OfferTableEditing(std::function<void()> editData, std::function<TableEditorWindow*()> openEditor);

    const CalculationResult& Result() const { return *result_; }
    PressurePlotView* Plot() const { return plot_; }
    NetworkMapView* Map() const { return map_; }
    ResultTable* Nodes() const { return nodes_; }
    ResultTable* Segments() const { return segments_; }
    QPlainTextEdit* Report() const { return report_; }
    QListWidget* Transcript() const { return transcript_; }
    QTabWidget* Tabs() const { return tabs_; }

private:
    QWidget* MakePlotTab();
    QWidget* MakeMapTab();
    void FollowMapClicks();
    void ShowInEditor(ResultTable* table, int key) const;
    void ShowReport();
    void ExportInp();
    void ExportCsv();

    std::unique_ptr<CalculationResult> result_;
    EditorOpener openInEditor_;
    std::unique_ptr<WindowDialogs> ownDialogs_;
    WindowDialogs* dialogs_ = nullptr;
    std::function<void()> editData_;
    std::function<TableEditorWindow*()> openEditor_;
    QPushButton* editDataButton_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    PressurePlotView* plot_ = nullptr;
    NetworkMapView* map_ = nullptr;
    ResultTable* nodes_ = nullptr;
    ResultTable* segments_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QListWidget* transcript_ = nullptr;
};

}  // namespace heatnet
