// A calculation long enough to need the windows kept alive, and the message boxes
// the person answers meanwhile.
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QThread>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

#include "app/gui_interaction.h"
#include "data/base_data_file.h"
#include "gui_test_support.h"
#include "tools/network_generator.h"

namespace heatnet::testing {
namespace {

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override { return paints += event->type() == QEvent::Paint, false; }
};

// A looped network sized from scratch: the sizing solves the nodal equations over a
// thousand times. The calculation runs inside the picker's "确定", as in the program.
class LongCalculation : public Program {
protected:
    void SetUp() override {
        const ProjectData network = GenerateNetwork({.segments = 300, .seed = 7, .loopSegments = 30});
        ASSERT_EQ(WriteBaseDataFile(File("looped.TXT"), network), "");
        form1.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form1));
    }
    // Runs `name` with a zero-interval timer running: it fires whenever events are
    // handled, and nothing but the calculation handles any until the click returns.
    void Run(const QString& name, const std::function<void()>& firstTick = [] {}) {
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            tickCursors.push_back(OverrideCursor());
            if (tickCursors.size() == 1) firstTick();
        });
        Click(&form1, "Command1");
        Type(form1.Picker(), {{"txtSearchSpec", name}});
        ticker.start(0);
        Click(form1.Picker(), "cmdSearch");
    }
    long HelpShown() const {
        return std::ranges::count_if(dialogs.shown, [](auto& s) { return s.starts_with("pelu|先执行"); });
    }
    std::vector<std::optional<Qt::CursorShape>> tickCursors;
};

TEST_F(LongCalculation, WindowsRepaintUnderAWaitCursorAndInputWaitsForTheEnd) {
    dialogs.yesNo = {false};  // no workbook
    PaintCounter counter;
    form1.installEventFilter(&counter);
    int paintsBeforeFirstTick = -1;
    QElapsedTimer clock;
    clock.start();
    Run("looped.TXT", [&] {
        paintsBeforeFirstTick = counter.paints;
        form1.update();  // as when another window uncovers it
        QTest::mouseClick(Find<QPushButton>(&form1, "Command2"), Qt::LeftButton);  // 帮助
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})         // space on 运行
            QCoreApplication::postEvent(Find<QPushButton>(&form1, "Command1"),
                                        new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, " "));
        // The window manager's close button, delivered as the window system does.
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        QApplication::instance()->notify(form1.windowHandle(), &close);
        // However fast this machine, the calculation goes on past the interval, so
        // events are handled at least once more.
        QThread::msleep(GuiInteraction::kKeepAliveInterval + 10);
    });
    const qint64 elapsed = clock.elapsed();

    EXPECT_TRUE(std::filesystem::exists(File("looped_OUT.TXT")));
    ASSERT_GE(tickCursors.size(), 2u);
    EXPECT_GT(counter.paints, paintsBeforeFirstTick);
    // Events are handled at most once per interval, whatever the number of solutions.
    EXPECT_LE(qint64(tickCursors.size()), elapsed / GuiInteraction::kKeepAliveInterval + 2) << elapsed;
    for (const auto& cursor : tickCursors) EXPECT_EQ(cursor, Qt::WaitCursor);
    // The small-flow messages and the workbook question come during the
    // calculation, the report's name at its end: all answered under the arrow.
    EXPECT_GT(dialogs.cursors.size(), 2u);
    for (const auto& cursor : dialogs.cursors) EXPECT_EQ(cursor, Qt::ArrowCursor);
    EXPECT_EQ(OverrideCursor(), std::nullopt);
    EXPECT_EQ(HelpShown() + (form1.Picker() != nullptr) + !form1.isVisible(), 0);

    QCoreApplication::processEvents();  // the held click, key and close, in order
    EXPECT_EQ(HelpShown(), 1);
    EXPECT_TRUE(dialogs.shown.back().starts_with("pelu|先执行"));
    EXPECT_NE(form1.Picker(), nullptr);
    EXPECT_FALSE(form1.isVisible());
}

TEST_F(LongCalculation, ACalculationThatStopsWithAMessageLeavesTheOrdinaryCursor) {
    dialogs.realBoxes = true;  // the held input must not include the box's own
    Run("absent.TXT");
    EXPECT_EQ(dialogs.cursors, (std::vector<std::optional<Qt::CursorShape>>{Qt::ArrowCursor}));
    EXPECT_NE(dialogs.shown.at(0).find("absent.TXT"), std::string::npos);
    EXPECT_EQ(dialogs.boxesClickedAway, 1);
    EXPECT_EQ(OverrideCursor(), std::nullopt);
}

TEST(MessageBoxes, ButtonsReadInChineseLeftToRightAndLinesBreakAtCrLf) {
    auto ok = MakeOkBox("第一行\r\n<300Pa/m", "pelu");
    EXPECT_EQ(ok->windowTitle() + "|" + ok->text() + "|" + ok->button(QMessageBox::Ok)->text(),
              "pelu|第一行\n<300Pa/m|确定");
    EXPECT_EQ(ok->textFormat(), Qt::PlainText);
    auto yesNo = MakeYesNoBox("数据文件已存在,覆盖?", "确认");
    EXPECT_EQ(yesNo->button(QMessageBox::Yes)->text() + yesNo->button(QMessageBox::No)->text(), "是(&Y)否(&N)");
    auto check = MakeCancelTryContinueBox(" 3节点负荷没有输入", "确认");
    check->show();
    QList<QAbstractButton*> buttons = check->buttons();
    std::ranges::sort(buttons, {}, [](QAbstractButton* b) { return b->mapToGlobal(QPoint()).x(); });
    using enum WindowDialogs::CheckAnswer;
    const std::pair<QString, WindowDialogs::CheckAnswer> leftToRight[] = {
        {"取消", Cancel}, {"重试(&T)", TryAgain}, {"继续(&C)", Continue}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(buttons.value(i) ? buttons[i]->text() : "", leftToRight[i].first);
        check->show();
        if (buttons.value(i)) buttons[i]->click();
        EXPECT_EQ(CheckAnswerOf(*check), leftToRight[i].second) << i;
    }
}

}  // namespace
}  // namespace heatnet::testing
