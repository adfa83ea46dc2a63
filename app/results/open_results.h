#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QList>
#include <QPointer>

#include "app/results/results_window.h"

namespace heatnet {

// The results windows of one program run, one per completed calculation. Each
// goes when it is closed; those still open go with the program.
class OpenResults {
public:
    // `dialogs` answers the windows' export questions.
    explicit OpenResults(WindowDialogs* dialogs = nullptr) : dialogs_(dialogs) {}
    ~OpenResults();

    void Show(std::unique_ptr<CalculationResult> result, std::vector<std::string> transcript,
              ResultsWindow::EditorOpener openInEditor);
    // The windows still open, the newest last.
    QList<ResultsWindow*> Windows() const;

private:
    WindowDialogs* dialogs_ = nullptr;
    QList<QPointer<ResultsWindow>> windows_;
};

}  // namespace heatnet
