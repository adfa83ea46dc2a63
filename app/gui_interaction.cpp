#include "app/gui_interaction.h"

#include <utility>

#include "data/application_texts.h"
#include "app/calculation_in_progress.h"

namespace heatnet {

GuiInteraction::GuiInteraction(WindowDialogs& dialogs, Form1& mainWindow,
                               EditorStarter startEditor)
    : dialogs_(dialogs), mainWindow_(mainWindow), startEditor_(std::move(startEditor)) {}

void GuiInteraction::ShowMessage(const std::string& text, const std::string& caption) {
    const DialogCursor arrow;
    dialogs_.ShowMessage(text, caption);
}

bool GuiInteraction::AskYesNo(const std::string& text, const std::string& caption) {
    const DialogCursor arrow;
    return dialogs_.AskYesNo(text, caption);
}

void GuiInteraction::OpenInEditor(const std::string& path) {
    if (!startEditor_(path)) ShowMessage("无法启动文本编辑器打开 " + path, kApplicationTitle);
}

void GuiInteraction::Trace(const std::string& line) { mainWindow_.DrawTraceLine(line); }

bool GuiInteraction::KeepAlive(const CalculationProgress& progress) {
    // A nodal solution takes far less than a frame; handing over after each one
    // would make a long calculation many times longer.
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kKeepAliveInterval) return true;
    const bool goOn = CalculationInProgress::LetWindowsLive(progress);
    // Counted from the end, so that the calculation gets its share even when
    // painting is slow.
    sinceEvents_.start();
    return goOn;
}

}  // namespace heatnet
