// The real message boxes with texts far taller than the screen: a person must still
// reach the buttons and read every word.
#include <functional>

#include <QScreen>
#include <QTextEdit>

#include "gui_test_support.h"

namespace heatnet::testing {
namespace {

struct Shown {
    QString text, details, caption;
    bool detailsVisible = false, fits = false;
};

// Shows the box through `ask`, notes what it holds once it is up and answers it
// with a real click on the button `press` picks.
Shown ShowAndPress(const std::function<void()>& ask, const std::function<QAbstractButton*(QMessageBox&)>& press) {
    Shown shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        const QRect screen = box->screen()->availableGeometry();
        QAbstractButton* button = press(*box);
        const QRect buttonOnScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        const auto* details = box->findChild<QTextEdit*>();
        shown = {box->text(), details ? details->toPlainText() : QString(), box->windowTitle(),
                 details && details->isVisible(),
                 box->frameGeometry().height() <= screen.height() && screen.contains(buttonOnScreen)};
        QTest::mouseClick(button, Qt::LeftButton);
    });
    ask();
    return shown;
}

TEST(LongMessageBoxes, TextsTallerThanTheScreenAreCutAndWhollyInOpenDetailsTheAnswersUnchanged) {
    std::string names = "0-1", lines = "管段0-1";
    for (int segment = 2; segment <= 1400; ++segment) {
        const std::string name = std::to_string(segment - 1) + "-" + std::to_string(segment);
        names += "、" + name, lines += "\r\n管段" + name;
    }
    const std::string longLine = "管段" + names + "已取最大标准管径1200mm,比摩阻仍超过限值,请检查";
    const auto standard = [](QMessageBox::StandardButton which) {
        return [which](QMessageBox& box) { return box.button(which); };
    };
    MessageBoxDialogs dialogs;
    std::string answer;
    const struct {
        const std::string& text;
        std::function<void()> ask;
        std::function<QAbstractButton*(QMessageBox&)> press;
        std::string expectedAnswer;
    } cases[] = {
        {longLine, [&] { dialogs.ShowMessage(longLine, "pelu"); }, standard(QMessageBox::Ok), ""},
        {lines, [&] { answer = dialogs.AskYesNo(lines, "确认") ? "是" : "否"; }, standard(QMessageBox::Yes), "是"},
        {longLine, [&] { answer = dialogs.AskCancelTryContinue(longLine, "确认") == WindowDialogs::CheckAnswer::Continue ? "继续" : "?"; },
         [](QMessageBox& box) { return box.findChild<QAbstractButton*>("Continue"); }, "继续"},
    };
    for (const auto& c : cases) {
        answer.clear();
        const Shown shown = ShowAndPress(c.ask, c.press);
        const QString whole = QString::fromStdString(c.text).replace("\r\n", "\n");
        EXPECT_TRUE(shown.fits) << c.expectedAnswer;
        EXPECT_TRUE(shown.text.endsWith(u'…') && whole.startsWith(shown.text.chopped(1).trimmed()));
        EXPECT_TRUE(shown.detailsVisible);
        EXPECT_EQ(shown.details, whole);
        EXPECT_EQ(answer, c.expectedAnswer);
    }

    const std::string help = "先执行'填写数据'根据提示填写数据,\r\n节点负荷规定:用户负荷为正,热源负荷为负,主热源不用填";
    const Shown shortOne = ShowAndPress([&] { dialogs.ShowMessage(help, "pelu"); }, standard(QMessageBox::Ok));
    EXPECT_EQ(shortOne.text, QString::fromStdString(help).replace("\r\n", "\n"));
    EXPECT_EQ(shortOne.caption, "pelu");
    EXPECT_TRUE(shortOne.details.isEmpty() && shortOne.fits);
}

}  // namespace
}  // namespace heatnet::testing
