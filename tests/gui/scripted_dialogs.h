#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "app/entry_windows/message_box_dialogs.h"
#include "app/entry_windows/window_dialogs.h"

namespace heatnet::testing {

inline std::optional<Qt::CursorShape> OverrideCursor() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor ? std::optional(cursor->shape()) : std::nullopt;
}

// Answers the windows' dialogs from a script and records each one as
// "caption|text" with the cursor the person sees meanwhile; a question nobody
// scripted fails the test. With realBoxes, messages are real modal boxes that a
// click on "确定" closes.
class ScriptedDialogs : public WindowDialogs {
public:
    std::vector<std::string> shown;
    std::vector<std::optional<Qt::CursorShape>> cursors;
    std::deque<bool> yesNo;
    std::deque<CheckAnswer> checks;
    std::deque<std::optional<std::string>> texts;
    bool realBoxes = false;
    int boxesClickedAway = 0;

    void ShowMessage(const std::string& text, const std::string& caption) override {
        Note(caption + "|" + text);
        if (realBoxes) ClickAway(*MakeOkBox(text, caption));
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        return Next(yesNo, caption + "|" + text);
    }
    CheckAnswer AskCancelTryContinue(const std::string& text, const std::string& caption) override {
        return Next(checks, caption + "|" + text);
    }
    std::optional<std::string> AskForText(const std::string& prompt, const std::string& caption,
                                          const std::string& defaultText) override {
        return Next(texts, caption + "|" + prompt + "|" + defaultText);
    }

private:
    void Note(const std::string& dialog) {
        shown.push_back(dialog);
        cursors.push_back(OverrideCursor());
    }
    template <typename Answer>
    Answer Next(std::deque<Answer>& answers, const std::string& question) {
        Note(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << question;
            return Answer();
        }
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ClickAway(QMessageBox& box) {
        QTimer::singleShot(0, &box, [&box] {
            QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
        });
        // Only so that a box nobody can answer fails the test instead of hanging it;
        // hidden rather than closed, as a close request would be held back too.
        QTimer::singleShot(10000, &box, [&box] { box.hide(); });
        box.exec();
        boxesClickedAway += box.clickedButton() == box.button(QMessageBox::Ok);
    }
};

}  // namespace heatnet::testing
