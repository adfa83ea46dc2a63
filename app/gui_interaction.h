#pragma once

#include <functional>
#include <string>

#include <QElapsedTimer>

#include "app/main_window.h"
#include "app/text_editor.h"
#include "app/entry_windows/window_dialogs.h"
#include "hydraulics/user_interaction.h"

namespace heatnet {

// The calculation's side of the desktop: its messages and questions are the
// windows' dialogs, its low-pressure lines go onto the main window.
class GuiInteraction : public UserInteraction {
public:
    // Starts the text editor on a file without waiting; calls `whenItFails` if it
    // turns out that no editor took the file.
    using EditorStarter = std::function<void(const std::string& path, EditorFailure whenItFails)>;

    GuiInteraction(WindowDialogs& dialogs, Form1& mainWindow, EditorStarter startEditor);

    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    // The calculation's report; on failure the message points to the results window.
    void OpenInEditor(const std::string& path) override;
    // A data file, for 修改数据.
    void OpenDataFileInEditor(const std::string& path);
    void Trace(const std::string& line) override;
    // The windows' own questions (a name, temperatures) outside a calculation.
    WindowDialogs& Dialogs() { return dialogs_; }
    // Lets the windows repaint and their timers run, at most every
    // kKeepAliveInterval; clicks and keys wait, so nothing new starts meanwhile,
    // but for the progress dialog's. False when its 取消 was pressed.
    bool KeepAlive(const CalculationProgress& progress) override;

    static constexpr qint64 kKeepAliveInterval = 50;  // ms

private:
    void StartEditor(const std::string& path, std::string whereElse);

    WindowDialogs& dialogs_;
    Form1& mainWindow_;
    EditorStarter startEditor_;
    QElapsedTimer sinceEvents_;
};

}  // namespace heatnet
