// Takes a picture of every window of the desktop program for the documentation:
//   heatnet_window_pictures <folder>
// Run it under a display (a virtual one will do) of at least 1024x768, so message
// boxes are not narrowed.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <iostream>

#include "app/application_setup.h"
#include "app/desktop_program.h"
#include "app/entry_windows/message_box_dialogs.h"

namespace {

QString pictureFolder;

void Photograph(QWidget& window, const char* name) {
    window.show();
    window.raise();
    for (int round = 0; round < 5; ++round) QApplication::processEvents();
    const QString file = QDir(pictureFolder).filePath(QString::fromLatin1(name));
    if (!window.grab().save(file)) std::cerr << "cannot write " << file.toStdString() << '\n';
}

// Photographs each dialog instead of waiting for a person to answer it.
class PictureDialogs : public heatnet::WindowDialogs {
public:
    const char* nextPicture = "window-message.png";

    void ShowMessage(const std::string& text, const std::string& caption) override {
        Photograph(*heatnet::MakeOkBox(text, caption), nextPicture);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        Photograph(*heatnet::MakeYesNoBox(text, caption), nextPicture);
        return true;
    }
    CheckAnswer AskCancelTryContinue(const std::string& text, const std::string& caption) override {
        Photograph(*heatnet::MakeCancelTryContinueBox(text, caption), nextPicture);
        return CheckAnswer::Continue;
    }
    std::optional<std::string> AskForText(const std::string&, const std::string&,
                                          const std::string&) override {
        return std::nullopt;
    }
};

template <typename Control>
Control* Child(const QWidget* window, const char* name) {
    return window->findChild<Control*>(QString::fromLatin1(name));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: heatnet_window_pictures <folder>\n";
        return 2;
    }
    pictureFolder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    heatnet::PrepareApplication(application);

    // The picker opens on the current folder: give it a small example folder.
    QTemporaryDir examples(QDir::tempPath() + QStringLiteral("/heatnet-examples-XXXXXX"));
    QFile::copy(QStringLiteral(HEATNET_SOURCE_DIR "/examples/small_tree.TXT"),
                examples.filePath(QStringLiteral("small_tree.TXT")));
    QFile::copy(QStringLiteral(HEATNET_SOURCE_DIR "/examples/secondary_source.TXT"),
                examples.filePath(QStringLiteral("secondary_source.TXT")));
    QDir(examples.path()).mkdir(QStringLiteral("projects"));
    QDir::setCurrent(examples.path());

    PictureDialogs dialogs;
    heatnet::DesktopProgram program(dialogs, [](const std::string&) { return true; });
    heatnet::Form1& form1 = program.MainWindow();
    Photograph(form1, "window-form1.png");
    dialogs.nextPicture = "window-help.png";
    Child<QPushButton>(&form1, "Command2")->click();

    Child<QPushButton>(&form1, "Command3")->click();
    heatnet::hlwj* picker = form1.Picker();
    auto* files = Child<QListWidget>(picker, "filList");
    files->setCurrentItem(files->findItems(QStringLiteral("small_tree.TXT"), Qt::MatchExactly)[0]);
    Photograph(*picker, "window-hlwj.png");
    Child<QPushButton>(picker, "cmdSearch")->click();

    heatnet::SRSJ0* basic = program.Entries().BasicDataWindow();
    Photograph(*basic, "window-srsj0.png");
    Child<QPushButton>(basic, "Command4")->click();
    heatnet::srsj* pipes = program.Entries().PipeSegmentWindow();
    Child<QPushButton>(pipes, "Command1")->click();
    Photograph(*pipes, "window-srsj.png");
    Child<QPushButton>(basic, "Command5")->click();
    Photograph(*program.Entries().NodeLoadWindow(), "window-fhsr.png");

    Photograph(*heatnet::MakeCancelTryContinueBox(" 3节点负荷没有输入", "确认"), "window-check.png");
    std::cout << "pictures written to " << pictureFolder.toStdString() << '\n';
    return 0;
}
