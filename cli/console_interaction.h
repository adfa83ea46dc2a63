#pragma once

#include <chrono>
#include <ostream>

#include "hydraulics/user_interaction.h"

namespace heatnet {

// The batch command's side of the calculation: messages and trace lines go to a
// stream, questions are answered from the command line's options. When the stream
// is stderr on a terminal, a long sizing shows its passes on a line of its own,
// rewritten in place and cleared before anything else is written.
class ConsoleInteraction : public UserInteraction {
public:
    ConsoleInteraction(std::ostream& out, bool answerYes, bool openEditor);
    ~ConsoleInteraction() override { EndProgressLine(); }

    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void OpenInEditor(const std::string& path) override;
    void Trace(const std::string& line) override;
    bool KeepAlive(const CalculationProgress& progress) override;

private:
    void EndProgressLine();

    std::ostream& out_;
    bool answerYes_;
    bool openEditor_;
    bool onTerminal_;
    bool progressShown_ = false;
    std::chrono::steady_clock::time_point started_, lastProgress_;
};

// Starts the desktop's text editor on the file without waiting; the path is one
// argument, never seen by a shell. False when no editor could be started.
bool StartTextEditor(const std::string& path);

}  // namespace heatnet
