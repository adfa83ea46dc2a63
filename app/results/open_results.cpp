#include "app/results/open_results.h"

namespace heatnet {

OpenResults::~OpenResults() {
    for (const QPointer<ResultsWindow>& window : windows_) delete window.data();
}

void OpenResults::Show(std::unique_ptr<CalculationResult> result, std::vector<std::string> transcript,
                       ResultsWindow::EditorOpener openInEditor) {
    windows_.removeAll(nullptr);
    auto* window = new ResultsWindow(std::move(result), std::move(transcript), std::move(openInEditor), dialogs_);
    windows_.append(window);
    window->show();
}

QList<ResultsWindow*> OpenResults::Windows() const {
    QList<ResultsWindow*> open;
    for (const QPointer<ResultsWindow>& window : windows_)
        if (window) open.append(window);
    return open;
}

}  // namespace heatnet
