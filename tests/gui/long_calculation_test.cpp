#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

#include "app/desktop_program.h"
#include "app/gui_interaction.h"
#include "tools/network_generator.h"
#include "data/base_data_file.h"
#include "app/entry_windows/message_box_dialogs.h"
#include "gui_test_support.h"
#include "scripted_dialogs.h"

namespace heatnet {
namespace {

using testing::Click;
using testing::Find;
using testing::Type;

std::optional<Qt::CursorShape> OverrideCursor() {
    const QCursor* cursor = QApplication::overrideCursor();
    if (!cursor) return std::nullopt;
    return cursor->shape();
}

// Notes the cursor the person sees while each dialog waits for an answer. With
// realBoxes, messages are real modal boxes that a click on "确定" closes.
class CursorNotingDialogs : public testing::ScriptedDialogs {
public:
    std::vector<std::optional<Qt::CursorShape>> cursors;
    bool realBoxes = false;
    std::vector<bool> clickedAway;

    void ShowMessage(const std::string& text, const std::string& caption) override {
        cursors.push_back(OverrideCursor());
        ScriptedDialogs::ShowMessage(text, caption);
        if (!realBoxes) return;
        const std::unique_ptr<QMessageBox> box = MakeOkBox(text, caption);
        QTimer::singleShot(0, box.get(), [&box] {
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        // Only so that a box nobody can answer fails the test instead of hanging it;
        // hidden rather than closed, as a close request would be held back too.
        QTimer::singleShot(10000, box.get(), [&box] { box->hide(); });
        box->exec();
        clickedAway.push_back(box->clickedButton() == box->button(QMessageBox::Ok));
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        cursors.push_back(OverrideCursor());
        return ScriptedDialogs::AskYesNo(text, caption);
    }
};

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// A looped network sized from scratch: the sizing solves the nodal equations over a
// thousand times, long enough to need the windows kept alive. The calculation runs
// inside the picker's "确定", as in the program.
class LongCalculation : public ::testing::Test {
protected:
    void SetUp() override {
        const ProjectData data = GenerateNetwork({.segments = 300, .seed = 7, .loopSegments = 30});
        ASSERT_EQ(WriteBaseDataFile(folder.File("looped.TXT"), data), "");
        form1.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form1));
    }
    void TearDown() override {
        ticker.stop();
        QCoreApplication::processEvents();
        testing::DeleteClosedWindows();
    }

    void ChooseToRun(const QString& name) {
        Click(&form1, "Command1");
        Type(form1.Picker(), "txtSearchSpec", name);
    }
    // The first thing the windows do once events are handled during the calculation.
    void OnFirstTick(std::function<void()> action) { firstTick = std::move(action); }
    // Confirms the picker with a zero-interval timer running: it fires whenever
    // events are handled, and nothing but the calculation handles any until the
    // click returns.
    void Confirm() {
        QObject::connect(&ticker, &QTimer::timeout, [this] {
            tickCursors.push_back(OverrideCursor());
            if (tickCursors.size() == 1 && firstTick) firstTick();
        });
        ticker.start(0);
        Click(form1.Picker(), "cmdSearch");
        ticker.stop();
    }
    int HelpShown() const {
        return static_cast<int>(std::count_if(
            dialogs.shown.begin(), dialogs.shown.end(),
            [](const std::string& s) { return s.starts_with("pelu|先执行'填写数据'"); }));
    }

    testing::TemporaryFolder folder;
    testing::CurrentFolder current{folder.Path()};
    CursorNotingDialogs dialogs;
    DesktopProgram program{dialogs, [](const std::string&) { return true; }};
    Form1& form1 = program.MainWindow();
    QTimer ticker;
    std::function<void()> firstTick;
    std::vector<std::optional<Qt::CursorShape>> tickCursors;
};

TEST_F(LongCalculation, WindowsRepaintAndTimersRunUnderAWaitCursorButNotAfterEverySolution) {
    dialogs.yesNo = {false};  // no workbook
    PaintCounter counter;
    form1.installEventFilter(&counter);
    int paintsBeforeFirstTick = -1;
    OnFirstTick([&] {
        paintsBeforeFirstTick = counter.paints;
        form1.update();  // as when another window uncovers it
        // However fast this machine, the calculation goes on past the interval, so
        // events are handled at least once more.
        QThread::msleep(GuiInteraction::kKeepAliveInterval + 10);
    });
    ChooseToRun("looped.TXT");
    QElapsedTimer clock;
    clock.start();
    Confirm();
    const qint64 elapsed = clock.elapsed();

    EXPECT_TRUE(std::filesystem::exists(folder.File("looped_OUT.TXT")));
    ASSERT_GE(tickCursors.size(), 2u);
    EXPECT_GT(counter.paints, paintsBeforeFirstTick);
    // Events are handled at most once per interval, whatever the number of solutions.
    EXPECT_LE(static_cast<qint64>(tickCursors.size()),
              elapsed / GuiInteraction::kKeepAliveInterval + 2)
        << "in " << elapsed << " ms";
    for (const auto& cursor : tickCursors) EXPECT_EQ(cursor, Qt::WaitCursor);

    // The small-flow messages and the workbook question come during the
    // calculation, the report's name at its end: all answered under the arrow.
    EXPECT_GT(dialogs.cursors.size(), 2u);
    for (const auto& cursor : dialogs.cursors) EXPECT_EQ(cursor, Qt::ArrowCursor);
    EXPECT_EQ(OverrideCursor(), std::nullopt);
}

TEST_F(LongCalculation, ClicksKeysAndCloseRequestsDuringItWaitForItsEnd) {
    dialogs.yesNo = {false};
    QPushButton* help = Find<QPushButton>(&form1, "Command2");
    QPushButton* run = Find<QPushButton>(&form1, "Command1");
    ASSERT_TRUE(help && run);
    OnFirstTick([&] {
        const QPointF inside = help->rect().center();
        const QPointF global = help->mapToGlobal(inside);
        QCoreApplication::postEvent(
            help, new QMouseEvent(QEvent::MouseButtonPress, inside, global, Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(
            help, new QMouseEvent(QEvent::MouseButtonRelease, inside, global, Qt::LeftButton,
                                  Qt::NoButton, Qt::NoModifier));
        QCoreApplication::postEvent(
            run, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
        QCoreApplication::postEvent(
            run, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " "));
        // The window manager's close button, delivered as the window system does.
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        QApplication::instance()->notify(form1.windowHandle(), &close);
    });
    ChooseToRun("looped.TXT");
    Confirm();

    ASSERT_FALSE(tickCursors.empty());
    EXPECT_TRUE(std::filesystem::exists(folder.File("looped_OUT.TXT")));
    EXPECT_EQ(HelpShown(), 0);
    EXPECT_EQ(form1.Picker(), nullptr);
    EXPECT_TRUE(form1.isVisible());

    QCoreApplication::processEvents();
    EXPECT_EQ(HelpShown(), 1);
    // After the calculation's last message.
    EXPECT_TRUE(dialogs.shown.back().starts_with("pelu|先执行"));
    EXPECT_NE(form1.Picker(), nullptr);
    EXPECT_FALSE(form1.isVisible());
}

TEST_F(LongCalculation, ACalculationThatStopsWithAMessageLeavesTheOrdinaryCursor) {
    dialogs.realBoxes = true;  // the held input must not include the box's own
    ChooseToRun("absent.TXT");
    Confirm();
    ASSERT_EQ(dialogs.cursors.size(), 1u);
    EXPECT_NE(dialogs.shown.front().find("absent.TXT"), std::string::npos);
    EXPECT_EQ(dialogs.cursors.front(), Qt::ArrowCursor);
    EXPECT_EQ(dialogs.clickedAway, std::vector<bool>{true});
    EXPECT_EQ(OverrideCursor(), std::nullopt);
}

}  // namespace
}  // namespace heatnet
