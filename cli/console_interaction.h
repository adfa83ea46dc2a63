#pragma once

#include <ostream>

#include "hydraulics/user_interaction.h"

namespace heatnet {

// The batch command's side of the calculation: messages and trace lines go to a
// stream, questions are answered from the command line's options.
class ConsoleInteraction : public UserInteraction {
public:
    ConsoleInteraction(std::ostream& out, bool answerYes, bool openEditor)
        : out_(out), answerYes_(answerYes), openEditor_(openEditor) {}

    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void OpenInEditor(const std::string& path) override;
    void Trace(const std::string& line) override;

private:
    std::ostream& out_;
    bool answerYes_;
    bool openEditor_;
};

// Starts the desktop's text editor on the file without waiting; the path is one
// argument, never seen by a shell. False when no editor could be started.
bool StartTextEditor(const std::string& path);

}  // namespace heatnet
