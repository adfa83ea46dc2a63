#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

#include "../test_support.h"
#include "app/desktop_program.h"
#include "scripted_dialogs.h"

namespace heatnet::testing {

using Lines = std::vector<std::string>;

// The control a window names `name`; fails the test when there is none.
template <typename Control = QWidget>
Control* Find(const QWidget* window, const char* name) {
    auto* control = window ? window->findChild<Control*>(QString::fromLatin1(name)) : nullptr;
    EXPECT_NE(control, nullptr) << name;
    return control;
}

inline void Click(const QWidget* window, const char* button) {
    if (auto* control = Find<QPushButton>(window, button)) QTest::mouseClick(control, Qt::LeftButton);
}

// Replaces the box's text keystroke by keystroke, as a person types it.
inline void Type(const QWidget* window, const char* box, const QString& text) {
    if (auto* control = Find<QLineEdit>(window, box)) {
        control->clear();
        QTest::keyClicks(control, text);
    }
}

// The texts of the boxes, joined by "|".
inline std::string Texts(const QWidget* window, std::initializer_list<const char*> boxes) {
    std::string texts;
    for (const char* box : boxes) {
        auto* control = Find<QLineEdit>(window, box);
        texts += '|';
        texts += control ? control->text().toStdString() : "?";
    }
    return texts.substr(1);
}

// Pixels of a band `lines` text lines high, `top` lines down, that differ from `blank`.
inline int Inked(const QImage& picture, const QImage& blank, int top, int line, int lines = 1) {
    int count = 0;
    for (int y = top * line; y < (top + lines) * line - 2; ++y)
        for (int x = 0; x < 6 * line; ++x) count += picture.pixel(x, y) != blank.pixel(x, y);
    return count;
}

// Lets closed windows go, as the event loop would between two clicks.
inline void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The whole program, started in a fresh current folder whose name holds a blank;
// editor starts are recorded instead of made.
class Program : public ::testing::Test {
protected:
    Program() {
        std::filesystem::create_directory(File(""));
        // Tests that write beside the current folder must never write into the tree.
        EXPECT_TRUE(QDir::setCurrent(QString::fromStdString(File(""))));
    }
    ~Program() override { QDir::setCurrent(previous); }
    void TearDown() override { DeleteClosedWindows(); }

    std::string File(const std::string& name) const { return folder.File("my data/" + name); }
    void CopyExample(const std::string& name) {
        std::filesystem::copy_file(SourcePath("examples/" + name), File(name));
    }
    // Presses a file command, types the name into the picker and confirms it.
    void Choose(const char* command, const QString& name) {
        Click(&form1, command);
        Type(form1.Picker(), "txtSearchSpec", name);
        Click(form1.Picker(), "cmdSearch");
    }
    // Starts a fill-in on `name`, as confirming the picker does.
    SRSJ0* FillIn(const std::string& name) {
        program.Entries().StartFillIn(File(name));
        return program.Entries().BasicDataWindow();
    }

    const QString previous = QDir::currentPath();
    TemporaryFolder folder;
    ScriptedDialogs dialogs;
    Lines edited;
    bool editorStarts = true;
    DesktopProgram program{dialogs, [this](const std::string& path) {
                               edited.push_back(path);
                               return editorStarts;
                           }};
    Form1& form1 = program.MainWindow();
    ProjectData& data = program.Data();
};

}  // namespace heatnet::testing
