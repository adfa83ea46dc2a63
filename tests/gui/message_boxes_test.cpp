#include <gtest/gtest.h>

#include <algorithm>

#include <QPushButton>

#include "app/entry_windows/message_box_dialogs.h"

namespace heatnet {
namespace {

std::vector<std::string> ButtonTexts(QMessageBox& box) {
    std::vector<std::string> texts;
    for (QAbstractButton* button : box.buttons()) texts.push_back(button->text().toStdString());
    std::sort(texts.begin(), texts.end());
    return texts;
}

TEST(MessageBoxes, ButtonsReadInChineseAndLinesBreakAtCrLf) {
    auto ok = MakeOkBox("第一行\r\n<300Pa/m", "pelu");
    EXPECT_EQ(ButtonTexts(*ok), std::vector<std::string>{"确定"});
    EXPECT_EQ(ok->windowTitle().toStdString(), "pelu");
    EXPECT_EQ(ok->text().toStdString(), "第一行\n<300Pa/m");
    EXPECT_EQ(ok->textFormat(), Qt::PlainText);

    auto yesNo = MakeYesNoBox("数据文件已存在,覆盖?", "确认");
    EXPECT_EQ(ButtonTexts(*yesNo), (std::vector<std::string>{"否(&N)", "是(&Y)"}));

    auto check = MakeCancelTryContinueBox(" 3节点负荷没有输入", "确认");
    check->show();
    const QList<QAbstractButton*> buttons = check->buttons();
    std::vector<QAbstractButton*> leftToRight(buttons.begin(), buttons.end());
    std::sort(leftToRight.begin(), leftToRight.end(), [](QAbstractButton* a, QAbstractButton* b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    const std::vector<WindowDialogs::CheckAnswer> expected = {
        WindowDialogs::CheckAnswer::Cancel, WindowDialogs::CheckAnswer::TryAgain,
        WindowDialogs::CheckAnswer::Continue};
    std::vector<std::string> texts;
    ASSERT_EQ(leftToRight.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        texts.push_back(leftToRight[i]->text().toStdString());
        check->show();
        leftToRight[i]->click();
        EXPECT_EQ(CheckAnswerOf(*check), expected[i]);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"取消", "重试(&T)", "继续(&C)"}));
}

}  // namespace
}  // namespace heatnet
