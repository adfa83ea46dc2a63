#include "app/entry_windows/message_box_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QPushButton>

#include "app/entry_windows/screen_fitted_text.h"

namespace heatnet {
namespace {

// Messages join their lines with CR LF; a label would show the CR as a stray glyph.
QString DisplayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

std::unique_ptr<QMessageBox> MakeBox(const std::string& text, const std::string& caption,
                                     QMessageBox::StandardButtons buttons) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromStdString(caption),
                                             QString(), buttons);
    // Help texts hold "<300Pa/m"; rich-text guessing must not swallow it.
    box->setTextFormat(Qt::PlainText);
    SetScreenFittedText(*box, DisplayText(text));
    return box;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeOkBox(const std::string& text, const std::string& caption) {
    return MakeBox(text, caption, QMessageBox::Ok);
}

std::unique_ptr<QMessageBox> MakeYesNoBox(const std::string& text, const std::string& caption) {
    return MakeBox(text, caption, QMessageBox::Yes | QMessageBox::No);
}

std::unique_ptr<QMessageBox> MakeYesNoCancelBox(const std::string& text,
                                                const std::string& caption) {
    return MakeBox(text, caption, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

std::unique_ptr<QMessageBox> MakeCancelTryContinueBox(const std::string& text,
                                                      const std::string& caption) {
    // Qt has no standard "Try Again" and "Continue" buttons. All three share one
    // role so that every desktop lays them out in this order, left to right; the
    // texts and access keys are the usual Chinese ones.
    auto box = MakeBox(text, caption, QMessageBox::NoButton);
    QPushButton* cancel = box->addButton(QStringLiteral("取消"), QMessageBox::ActionRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    box->addButton(QStringLiteral("重试(&T)"), QMessageBox::ActionRole)
        ->setObjectName(QStringLiteral("TryAgain"));
    box->addButton(QStringLiteral("继续(&C)"), QMessageBox::ActionRole)
        ->setObjectName(QStringLiteral("Continue"));
    box->setEscapeButton(cancel);
    return box;
}

WindowDialogs::CheckAnswer CheckAnswerOf(QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked && clicked->objectName() == QLatin1String("TryAgain"))
        return WindowDialogs::CheckAnswer::TryAgain;
    if (clicked && clicked->objectName() == QLatin1String("Continue"))
        return WindowDialogs::CheckAnswer::Continue;
    return WindowDialogs::CheckAnswer::Cancel;
}

void MessageBoxDialogs::ShowMessage(const std::string& text, const std::string& caption) {
    MakeOkBox(text, caption)->exec();
}

bool MessageBoxDialogs::AskYesNo(const std::string& text, const std::string& caption) {
    return MakeYesNoBox(text, caption)->exec() == QMessageBox::Yes;
}

WindowDialogs::YesNoCancel MessageBoxDialogs::AskYesNoCancel(const std::string& text,
                                                             const std::string& caption) {
    // Escape and the title bar's close answer Cancel.
    switch (MakeYesNoCancelBox(text, caption)->exec()) {
    case QMessageBox::Yes: return YesNoCancel::Yes;
    case QMessageBox::No: return YesNoCancel::No;
    default: return YesNoCancel::Cancel;
    }
}

WindowDialogs::CheckAnswer MessageBoxDialogs::AskCancelTryContinue(const std::string& text,
                                                                   const std::string& caption) {
    auto box = MakeCancelTryContinueBox(text, caption);
    box->exec();
    return CheckAnswerOf(*box);
}

std::optional<std::string> MessageBoxDialogs::AskForText(const std::string& prompt,
                                                         const std::string& caption,
                                                         const std::string& defaultText) {
    bool accepted = false;
    const QString answer = QInputDialog::getText(
        nullptr, QString::fromStdString(caption), DisplayText(prompt), QLineEdit::Normal,
        QString::fromStdString(defaultText), &accepted);
    if (!accepted) return std::nullopt;
    return answer.toStdString();
}

std::optional<std::string> MessageBoxDialogs::AskFileToWrite(const std::string& caption,
                                                             const std::string& defaultPath,
                                                             const std::string& filter) {
    const QString path = QFileDialog::getSaveFileName(nullptr, QString::fromStdString(caption),
                                                      QString::fromStdString(defaultPath), QString::fromStdString(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> MessageBoxDialogs::AskFolder(const std::string& caption, const std::string& defaultFolder) {
    const QString folder = QFileDialog::getExistingDirectory(nullptr, QString::fromStdString(caption),
                                                             QString::fromStdString(defaultFolder));
    if (folder.isEmpty()) return std::nullopt;
    return folder.toStdString();
}

}  // namespace heatnet
