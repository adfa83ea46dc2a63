#include "app/gui_interaction.h"

#include <utility>

namespace heatnet {

GuiInteraction::GuiInteraction(WindowDialogs& dialogs, Form1& mainWindow,
                               EditorStarter startEditor)
    : dialogs_(dialogs), mainWindow_(mainWindow), startEditor_(std::move(startEditor)) {}

void GuiInteraction::ShowMessage(const std::string& text, const std::string& caption) {
    dialogs_.ShowMessage(text, caption);
}

bool GuiInteraction::AskYesNo(const std::string& text, const std::string& caption) {
    return dialogs_.AskYesNo(text, caption);
}

void GuiInteraction::OpenInEditor(const std::string& path) {
    if (!startEditor_(path))
        dialogs_.ShowMessage("无法启动文本编辑器打开 " + path, kApplicationTitle);
}

void GuiInteraction::Trace(const std::string& line) { mainWindow_.DrawTraceLine(line); }

}  // namespace heatnet
