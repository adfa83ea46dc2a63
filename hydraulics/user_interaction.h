#pragma once

#include <string>

namespace heatnet {

// How far a calculation has come, as far as it is cheaply known: no total is
// known before the sizing ends.
struct CalculationProgress {
    int sizingPasses = 0;  // passes of the sizing loop so far, solved and foreseen
};

// Everything the calculation needs from the person at the screen. The GUI shows
// real dialogs, the batch command writes to stderr and answers from its options,
// and tests record and answer.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // A modal message with an OK button; returns when it is closed.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // A modal question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // Opens the file in the desktop's text editor without waiting for it.
    virtual void OpenInEditor(const std::string& path) = 0;
    // A diagnostic line drawn on the main window.
    virtual void Trace(const std::string& line) = 0;
    // Called before every nodal solution, so that a window can keep painting
    // itself and show how far a long calculation has come. False asks the
    // calculation to stop: it ends as after a refusal, with nothing written.
    virtual bool KeepAlive(const CalculationProgress&) { return true; }
};

}  // namespace heatnet
