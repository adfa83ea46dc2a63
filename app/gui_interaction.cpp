#include "app/gui_interaction.h"

#include <utility>

#include <QPointer>

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
    StartEditor(path, "计算书可在计算结果窗口的“报告”页查看。");
}

void GuiInteraction::OpenDataFileInEditor(const std::string& path) { StartEditor(path, ""); }

void GuiInteraction::StartEditor(const std::string& path, std::string whereElse) {
    // The editor may fail long after this returns, when the program is closing:
    // only a main window still there can be told.
    const QPointer<Form1> window(&mainWindow_);
    startEditor_(path, [this, window, path, whereElse = std::move(whereElse)] {
        if (!window) return;
        ShowMessage("无法用文本编辑器打开 " + path + ":桌面没有可打开文本文件的编辑器。" + whereElse,
                    kApplicationTitle);
    });
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
