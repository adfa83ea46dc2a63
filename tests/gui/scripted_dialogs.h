#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/entry_windows/window_dialogs.h"

namespace heatnet::testing {

// Answers the windows' dialogs from a script and records each one as
// "caption|text"; a question nobody scripted fails the test.
class ScriptedDialogs : public WindowDialogs {
public:
    std::vector<std::string> shown;
    std::deque<bool> yesNo;
    std::deque<CheckAnswer> checks;
    std::deque<std::optional<std::string>> texts;

    void ShowMessage(const std::string& text, const std::string& caption) override {
        shown.push_back(caption + "|" + text);
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
    template <typename Answer>
    Answer Next(std::deque<Answer>& answers, const std::string& question) {
        shown.push_back(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << question;
            return Answer();
        }
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace heatnet::testing
