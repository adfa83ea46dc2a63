#include "app/desktop_program.h"

#include <utility>

namespace heatnet {

DesktopProgram::DesktopProgram(WindowDialogs& dialogs, GuiInteraction::EditorStarter startEditor)
    : mainWindow_(flow_, dialogs),
      interaction_(dialogs, mainWindow_, std::move(startEditor)),
      entryWindows_(*data_, dialogs),
      tableEditors_(dialogs),
      results_(&dialogs) {
    QObject::connect(&mainWindow_, &Form1::fileConfirmed, &mainWindow_,
                     [this] { DispatchConfirmedFile(flow_, windows_); });
    tableEditors_.WhenOpened([this](TableEditorWindow& editor) {
        QObject::connect(&editor, &TableEditorWindow::calculationRequested, &editor,
                         [this](const std::string& path) { CalculateFromTableEditor(path, windows_); });
        editor.SetHolderCheck([this, asking = &editor](const std::string& path) {
            return HeldElsewhereMessage(path, asking, windows_);
        });
    });
}

}  // namespace heatnet
