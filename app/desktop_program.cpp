#include "app/desktop_program.h"

#include <utility>

#include "app/command_dispatch.h"

namespace heatnet {

DesktopProgram::DesktopProgram(WindowDialogs& dialogs, GuiInteraction::EditorStarter startEditor)
    : mainWindow_(flow_, dialogs),
      interaction_(dialogs, mainWindow_, std::move(startEditor)),
      entryWindows_(*data_, dialogs) {
    QObject::connect(&mainWindow_, &Form1::fileConfirmed, &mainWindow_,
                     [this] { DispatchConfirmedFile(flow_, interaction_, entryWindows_, results_); });
}

}  // namespace heatnet
