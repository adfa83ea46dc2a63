// heatnet: the desktop program. It shows the main window and ends when the last
// window is closed.
#include <QApplication>

#include "app/application_setup.h"
#include "app/desktop_program.h"
#include "app/text_editor.h"
#include "app/entry_windows/message_box_dialogs.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    heatnet::PrepareApplication(application);
    heatnet::LeaveUnusableStartingFolder();
    heatnet::MessageBoxDialogs dialogs;
    heatnet::DesktopProgram program(dialogs, heatnet::StartTextEditor);
    program.MainWindow().show();
    return application.exec();
}
