#pragma once

#include <deque>
#include <optional>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "../test_support.h"
#include "app/desktop_program.h"
#include "app/entry_windows/message_box_dialogs.h"

namespace heatnet::testing {

using Lines = std::vector<std::string>;
using Cursor = std::optional<Qt::CursorShape>;

inline Cursor OverrideCursor() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor ? Cursor(cursor->shape()) : std::nullopt;
}

// Answers the windows' dialogs from a script and records each one as "caption|text"
// with the cursor the person sees meanwhile; a question nobody scripted fails the
// test. With realBoxes, messages are real modal boxes that a click on "确定" closes.
class ScriptedDialogs : public WindowDialogs {
public:
    Lines shown;
    std::vector<Cursor> cursors;
    std::deque<bool> yesNo;
    std::deque<CheckAnswer> checks;
    std::deque<YesNoCancel> yesNoCancel;
    std::deque<std::optional<std::string>> texts;
    bool realBoxes = false;
    int boxesClickedAway = 0;

    void ShowMessage(const std::string& text, const std::string& caption) override {
        Note(caption + "|" + text);
        if (!realBoxes) return;
        const auto box = MakeOkBox(text, caption);
        QTimer::singleShot(0, box.get(), [&] { QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton); });
        // Only so that a box nobody can answer fails the test instead of hanging it;
        // hidden rather than closed, as a close request would be held back too.
        QTimer::singleShot(10000, box.get(), [&] { box->hide(); });
        box->exec();
        boxesClickedAway += box->clickedButton() == box->button(QMessageBox::Ok);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        return Next(yesNo, caption + "|" + text);
    }
    YesNoCancel AskYesNoCancel(const std::string& text, const std::string& caption) override {
        return Next(yesNoCancel, caption + "|" + text);
    }
    CheckAnswer AskCancelTryContinue(const std::string& text, const std::string& caption) override {
        return Next(checks, caption + "|" + text);
    }
    std::optional<std::string> AskForText(const std::string& prompt, const std::string& caption,
                                          const std::string& defaultText) override {
        return Next(texts, caption + "|" + prompt + "|" + defaultText);
    }

private:
    void Note(const std::string& dialog) { shown.push_back(dialog), cursors.push_back(OverrideCursor()); }
    template <typename Answer>
    Answer Next(std::deque<Answer>& answers, const std::string& question) {
        Note(question);
        if (answers.empty()) return ADD_FAILURE() << "unscripted question: " << question, Answer();
        const Answer answer = answers.front();
        return answers.pop_front(), answer;
    }
};

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

// Replaces each box's text keystroke by keystroke, as a person types it, then
// presses `button` if one is named.
inline void Type(const QWidget* window, std::initializer_list<std::pair<const char*, QString>> boxes,
                 const char* button = nullptr) {
    for (const auto& [box, text] : boxes)
        if (auto* control = Find<QLineEdit>(window, box)) control->clear(), QTest::keyClicks(control, text);
    if (button) Click(window, button);
}

// The texts of the boxes, joined by "|".
inline std::string Texts(const QWidget* window, std::initializer_list<const char*> boxes) {
    QStringList texts;
    for (const char* box : boxes)
        if (auto* control = Find<QLineEdit>(window, box)) texts << control->text();
    return texts.join('|').toStdString();
}

// The whole program, started in a fresh current folder whose name holds a blank
// (tests that write beside the current folder must never write into the tree);
// editor starts are recorded instead of made.
class Program : public ::testing::Test {
protected:
    Program() { EXPECT_TRUE(QDir().mkpath(here) && QDir::setCurrent(here)) << here.toStdString(); }
    ~Program() override { QDir::setCurrent(previous); }
    // Lets closed windows go, as the event loop would between two tests.
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::string File(const std::string& name) const { return here.toStdString() + "/" + name; }
    // Presses a file command, types the name into the picker and confirms it.
    void Choose(const char* command, const QString& name) {
        Click(&form1, command);
        Type(form1.Picker(), {{"txtSearchSpec", name}}, "cmdSearch");
    }

    const QString previous = QDir::currentPath();
    TemporaryFolder folder;
    const QString here = QString::fromStdString(folder.File("my data"));
    ScriptedDialogs dialogs;
    Lines edited;
    bool editorStarts = true;
    DesktopProgram program{dialogs, [this](const std::string& path, const EditorFailure& whenItFails) {
                               if (edited.push_back(path); !editorStarts) whenItFails();
                           }};
    Form1& form1 = program.MainWindow();
    ProjectData& data = program.Data();
    EntryWindows& entries = program.Entries();
};

}  // namespace heatnet::testing
