#pragma once

#include <memory>

#include <QMessageBox>

#include "app/entry_windows/window_dialogs.h"

namespace heatnet {

// The message boxes themselves, unshown, so their buttons can be inspected.
std::unique_ptr<QMessageBox> MakeOkBox(const std::string& text, const std::string& caption);
std::unique_ptr<QMessageBox> MakeYesNoBox(const std::string& text, const std::string& caption);
std::unique_ptr<QMessageBox> MakeYesNoCancelBox(const std::string& text, const std::string& caption);
std::unique_ptr<QMessageBox> MakeCancelTryContinueBox(const std::string& text,
                                                      const std::string& caption);
WindowDialogs::CheckAnswer CheckAnswerOf(QMessageBox& box);

// The desktop's dialogs: modal message boxes without an icon, Qt's input box and
// Qt's file dialogs.
class MessageBoxDialogs : public WindowDialogs {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    YesNoCancel AskYesNoCancel(const std::string& text, const std::string& caption) override;
    CheckAnswer AskCancelTryContinue(const std::string& text, const std::string& caption) override;
    std::optional<std::string> AskForText(const std::string& prompt, const std::string& caption,
                                          const std::string& defaultText) override;
    std::optional<std::string> AskFileToWrite(const std::string& caption, const std::string& defaultPath,
                                              const std::string& filter) override;
    std::optional<std::string> AskFolder(const std::string& caption, const std::string& defaultFolder) override;
};

}  // namespace heatnet
