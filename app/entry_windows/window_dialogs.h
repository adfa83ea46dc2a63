#pragma once

#include <optional>
#include <string>

namespace heatnet {

// The modal questions and messages of the windows. The desktop shows real message
// boxes; tests answer them from a script, so no person is needed.
class WindowDialogs {
public:
    // The three buttons of the check messages of the basic data window.
    enum class CheckAnswer { Cancel, TryAgain, Continue };
    enum class YesNoCancel { Yes, No, Cancel };

    virtual ~WindowDialogs() = default;

    // Texts keep the CR LF between their lines; only the display turns them into breaks.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    virtual YesNoCancel AskYesNoCancel(const std::string& text, const std::string& caption) = 0;
    virtual CheckAnswer AskCancelTryContinue(const std::string& text,
                                             const std::string& caption) = 0;
    // nullopt when the box is cancelled.
    virtual std::optional<std::string> AskForText(const std::string& prompt,
                                                  const std::string& caption,
                                                  const std::string& defaultText) = 0;
    // A file to write, `defaultPath` offered, or a folder; nullopt when cancelled.
    // Dialogs without file choosers of their own ask for the name as text.
    virtual std::optional<std::string> AskFileToWrite(const std::string& caption, const std::string& defaultPath,
                                                      const std::string& filter) {
        (void)filter;
        return AskForText("文件名:", caption, defaultPath);
    }
    virtual std::optional<std::string> AskFolder(const std::string& caption, const std::string& defaultFolder) {
        return AskForText("文件夹:", caption, defaultFolder);
    }
};

}  // namespace heatnet
