// Takes a picture of every window of the desktop program for the documentation:
//   heatnet_window_pictures <folder>
// Run it under a display (a virtual one will do) of at least 1024x768, so message
// boxes are not narrowed.
#include <iostream>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/application_setup.h"
#include "app/desktop_program.h"
#include "app/entry_windows/message_box_dialogs.h"

namespace {

QDir pictures;

void Photograph(QWidget* window, const char* name) {
    window->show();
    window->raise();
    for (int round = 0; round < 5; ++round) QApplication::processEvents();
    if (!window->grab().save(pictures.filePath(name))) std::cerr << "cannot write " << name << '\n';
}

void Press(const QWidget* window, const char* button) {
    window->findChild<QPushButton*>(button)->click();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) return std::cerr << "usage: heatnet_window_pictures <folder>\n", 2;
    pictures = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    heatnet::PrepareApplication(application);
    // The picker opens on the current folder: give it a small example folder.
    QTemporaryDir examples(QDir::tempPath() + "/heatnet-examples-XXXXXX");
    for (const QString name : {"small_tree.TXT", "secondary_source.TXT"})
        QFile::copy(HEATNET_SOURCE_DIR "/examples/" + name, examples.filePath(name));
    QDir(examples.path()).mkdir("projects");
    QDir::setCurrent(examples.path());

    heatnet::MessageBoxDialogs dialogs;
    heatnet::DesktopProgram program(dialogs, [](const std::string&) { return true; });
    heatnet::Form1& form1 = program.MainWindow();
    Photograph(&form1, "window-form1.png");
    QTimer::singleShot(0, [] {  // the help box, answered once photographed
        Photograph(QApplication::activeModalWidget(), "window-help.png");
        QApplication::activeModalWidget()->close();
    });
    Press(&form1, "Command2");
    Press(&form1, "Command3");
    auto* files = form1.Picker()->findChild<QListWidget*>("filList");
    files->setCurrentItem(files->findItems("small_tree.TXT", Qt::MatchExactly)[0]);
    Photograph(form1.Picker(), "window-hlwj.png");
    Press(form1.Picker(), "cmdSearch");
    heatnet::SRSJ0* basic = program.Entries().BasicDataWindow();
    Photograph(basic, "window-srsj0.png");
    Press(basic, "Command4");
    Press(program.Entries().PipeSegmentWindow(), "Command1");
    Photograph(program.Entries().PipeSegmentWindow(), "window-srsj.png");
    Press(basic, "Command5");
    Photograph(program.Entries().NodeLoadWindow(), "window-fhsr.png");
    Photograph(heatnet::MakeCancelTryContinueBox(" 3节点负荷没有输入", "确认").get(), "window-check.png");
    std::cout << "pictures written to " << pictures.path().toStdString() << '\n';
}
