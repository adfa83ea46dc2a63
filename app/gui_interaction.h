#pragma once

#include <functional>
#include <string>

#include <QElapsedTimer>

#include "app/main_window.h"
#include "app/entry_windows/window_dialogs.h"
#include "hydraulics/user_interaction.h"

namespace heatnet {

// The calculation's side of the desktop: its messages and questions are the
// windows' dialogs, its low-pressure lines go onto the main window.
class GuiInteraction : public UserInteraction {
public:
    // Starts the text editor on a file without waiting; false when it could not.
    using EditorStarter = std::function<bool(const std::string& path)>;

    GuiInteraction(WindowDialogs& dialogs, Form1& mainWindow, EditorStarter startEditor);

    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void OpenInEditor(const std::string& path) override;
    void Trace(const std::string& line) override;
    // Lets the windows repaint and their timers run, at most every
    // kKeepAliveInterval; clicks and keys wait, so nothing new starts meanwhile,
    // but for the progress dialog's. False when its 取消 was pressed.
    bool KeepAlive(const CalculationProgress& progress) override;

    static constexpr qint64 kKeepAliveInterval = 50;  // ms

private:
    WindowDialogs& dialogs_;
    Form1& mainWindow_;
    EditorStarter startEditor_;
    QElapsedTimer sinceEvents_;
};

}  // namespace heatnet
