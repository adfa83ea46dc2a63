// heatnet: the desktop program. It shows the main window and ends when the last
// window is closed. `heatnet FILE.TXT` opens that file in the table editor too.
#include <QApplication>
#include <QFileInfo>

#include "app/application_setup.h"
#include "app/desktop_program.h"
#include "app/text_editor.h"
#include "app/entry_windows/message_box_dialogs.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    heatnet::PrepareApplication(application);
    // The name counts from the folder the program was started in, which the next
    // line may leave.
    const QStringList arguments = QApplication::arguments();
    const QString file = arguments.size() > 1 ? QFileInfo(arguments[1]).absoluteFilePath() : QString();
    heatnet::LeaveUnusableStartingFolder();
    heatnet::MessageBoxDialogs dialogs;
    heatnet::DesktopProgram program(dialogs, heatnet::StartTextEditor);
    program.MainWindow().show();
    if (!file.isEmpty()) program.OpenInTableEditor(file.toStdString());
    return application.exec();
}
