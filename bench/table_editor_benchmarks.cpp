// The table editor on the largest network a file may hold (1400 segments, 1401
// nodes): opening it, pasting a whole 1400 x 5 block into the 管段 grid with
// Ctrl+V, and one typed cell with every check run again. The real window under
// Qt's offscreen platform; each figure includes the repaint the person waits for.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "app/application_setup.h"
#include "app/table_editor/table_editor_window.h"
#include "app/table_editor/table_grid_model.h"
#include "bench/benchmark_workspace.h"

namespace heatnet {
namespace {

class NoDialogs : public WindowDialogs {
public:
    void ShowMessage(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    YesNoCancel AskYesNoCancel(const std::string&, const std::string&) override { return YesNoCancel::No; }
    CheckAnswer AskCancelTryContinue(const std::string&, const std::string&) override {
        return CheckAnswer::Cancel;
    }
    std::optional<std::string> AskForText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

NoDialogs dialogs;

void Settle() {
    for (int round = 0; round < 3; ++round) QApplication::processEvents();
}

std::unique_ptr<TableEditorWindow> OpenEditor() {
    auto editor = std::make_unique<TableEditorWindow>(BenchmarkWorkspace::Instance().DataFile(1400), dialogs);
    editor->setAttribute(Qt::WA_DeleteOnClose, false);
    editor->resize(1200, 800);
    editor->show();
    Settle();
    return editor;
}

// The view of the 管段 grid, its tab shown and the window active, as after a
// click on the tab; nullptr when there is none.
QTableView* SegmentView(TableEditorWindow& editor) {
    for (QTableView* view : editor.findChildren<QTableView*>())
        if (const auto* proxy = qobject_cast<const GridSortProxy*>(view->model()))
            if (proxy->Source().WhichGrid() == Grid::kSegments) {
                if (auto* tabs = editor.findChild<QTabWidget*>()) tabs->setCurrentWidget(view);
                QApplication::setActiveWindow(&editor);
                view->setFocus();
                Settle();
                return view;
            }
    return nullptr;
}

void OpenFile(benchmark::State& state) {
    for (auto _ : state)
        if (!OpenEditor()->Opened()) return state.SkipWithError("the network was not read");
}
BENCHMARK(OpenFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Two blocks in turn, so that every paste changes every cell.
void Paste1400x5(benchmark::State& state) {
    const auto editor = OpenEditor();
    QTableView* view = SegmentView(*editor);
    if (!view) return state.SkipWithError("no 管段 grid");
    QString blocks[2];
    for (int row = 0; row < 1400; ++row)
        for (int block = 0; block < 2; ++block)
            blocks[block] += QString("%1\t%2\t0\t%3\t0\n").arg(row).arg(row + 1).arg(block + 1000);
    int turn = 0;
    for (auto _ : state) {
        view->setCurrentIndex(view->model()->index(0, TableGridModel::kFirstValueColumn));
        QApplication::clipboard()->setText(blocks[turn++ % 2]);
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        Settle();
    }
    if (editor->Document().Table().segments.at(1399)[3] != std::to_string((turn - 1) % 2 + 1000))
        state.SkipWithError("the block was not pasted");
}
BENCHMARK(Paste1400x5)->Unit(benchmark::kMillisecond)->UseRealTime();

// A length typed into a cell of the middle row, as the delegate stores it.
void EditOneCell(benchmark::State& state) {
    const auto editor = OpenEditor();
    QTableView* view = SegmentView(*editor);
    if (!view) return state.SkipWithError("no 管段 grid");
    const QModelIndex cell = view->model()->index(700, TableGridModel::kFirstValueColumn + 3);
    int turn = 0;
    for (auto _ : state) {
        view->model()->setData(cell, QString::number(60 + turn++ % 2), Qt::EditRole);
        Settle();
    }
    if (editor->Document().Table().segments.at(700)[3] != std::to_string(60 + (turn - 1) % 2))
        state.SkipWithError("the cell was not stored");
}
BENCHMARK(EditOneCell)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace heatnet

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    heatnet::PrepareApplication(application);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
