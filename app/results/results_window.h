#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "calculation/run_hydraulic_calculation.h"

class QListWidget;
class QPlainTextEdit;
class QTabWidget;

namespace heatnet {

class PressurePlotView;
class ResultTable;

// What one completed calculation produced, beside the main window: the
// water-pressure diagram, the node and segment tables, the report's text and
// everything the person was told during the run. Selecting a table row
// highlights its node or segment in the diagram.
class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    using EditorOpener = std::function<void(const std::string& path)>;

    ResultsWindow(std::unique_ptr<CalculationResult> result, std::vector<std::string> transcript,
                  EditorOpener openInEditor);
    ~ResultsWindow() override;

    const CalculationResult& Result() const { return *result_; }
    PressurePlotView* Plot() const { return plot_; }
    ResultTable* Nodes() const { return nodes_; }
    ResultTable* Segments() const { return segments_; }
    QPlainTextEdit* Report() const { return report_; }
    QListWidget* Transcript() const { return transcript_; }
    QTabWidget* Tabs() const { return tabs_; }

private:
    QWidget* MakePlotTab();
    void ShowReport();

    std::unique_ptr<CalculationResult> result_;
    EditorOpener openInEditor_;
    QTabWidget* tabs_ = nullptr;
    PressurePlotView* plot_ = nullptr;
    ResultTable* nodes_ = nullptr;
    ResultTable* segments_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QListWidget* transcript_ = nullptr;
};

}  // namespace heatnet
