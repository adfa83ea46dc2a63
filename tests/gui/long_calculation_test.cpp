// A calculation long enough to need the windows kept alive, and the message boxes
// the person answers meanwhile.
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QRegularExpression>
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
        ticker.start(0);
        Choose("Command1", name);
    }
    std::vector<Cursor> tickCursors;
};

TEST_F(LongCalculation, WindowsRepaintUnderAWaitCursorAndInputWaitsForTheEnd) {
    dialogs.yesNo = {false};  // no workbook
    PaintCounter counter;
    form1.installEventFilter(&counter);
    QElapsedTimer clock;
    clock.start();
    Run("looped.TXT", [&] {
        counter.paints = 0;
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
    EXPECT_GT(counter.paints, 0);
    // Events are handled at most once per interval, whatever the number of solutions.
    EXPECT_LE(qint64(tickCursors.size()), elapsed / GuiInteraction::kKeepAliveInterval + 2) << elapsed;
    for (const auto& cursor : tickCursors) EXPECT_EQ(cursor, Qt::WaitCursor);
    // The small-flow messages and the workbook question come during the
    // calculation, the report's name at its end: all answered under the arrow.
    EXPECT_GT(dialogs.cursors.size(), 2u);
    for (const auto& cursor : dialogs.cursors) EXPECT_EQ(cursor, Qt::ArrowCursor);
    EXPECT_EQ(OverrideCursor(), std::nullopt);
    EXPECT_TRUE(form1.Picker() == nullptr && form1.isVisible());
    const size_t shownDuring = dialogs.shown.size();

    QCoreApplication::processEvents();  // the held click, key and close, in order
    EXPECT_EQ(dialogs.shown.size(), shownDuring + 1);
    EXPECT_TRUE(dialogs.shown.back().starts_with("pelu|先执行"));
    EXPECT_NE(form1.Picker(), nullptr);
    EXPECT_FALSE(form1.isVisible());
}

// After a second a progress dialog takes clicks while the windows still hold
// theirs; its 取消 stops the calculation as a refusal would.
TEST_F(LongCalculation, AProgressDialogWhoseCancelStopsTheCalculation) {
    const ProjectData network = GenerateNetwork({.segments = 600, .seed = 7, .loopSegments = 60});
    ASSERT_EQ(WriteBaseDataFile(File("longer.TXT"), network), "");
    WriteBytes(File("longer#.TXT"), "earlier");
    QElapsedTimer clock;
    qint64 shownAfter = -1;
    QString texts;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (!dialog || shownAfter >= 0) return;
        shownAfter = clock.elapsed();
        auto* button = dialog->findChild<QPushButton*>();
        texts = dialog->labelText() + "|" + button->text();
        QTest::mouseClick(button, Qt::LeftButton);
    });
    watcher.start(0);
    clock.start();
    Choose("Command1", "longer.TXT");

    EXPECT_GE(shownAfter, 900);
    EXPECT_LT(clock.elapsed() - shownAfter, 1000) << "stopped soon after the click";
    EXPECT_TRUE(texts.contains(QRegularExpression("^正在选择管径:已完成[1-9][0-9]*遍\\|取消$")))
        << texts.toStdString();
    EXPECT_EQ(dialogs.shown, Lines{"pelu|计算已取消。"});
    EXPECT_TRUE(ReadBytes(File("longer_OUT.TXT")).empty());
    EXPECT_EQ(ReadBytes(File("longer#.TXT")), "earlier");
    EXPECT_FALSE(std::filesystem::exists(File("longer.dxf")));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(OverrideCursor(), std::nullopt);
}

TEST_F(LongCalculation, ACalculationThatStopsWithAMessageLeavesTheOrdinaryCursor) {
    dialogs.realBoxes = true;  // the held input must not include the box's own
    Run("absent.TXT");
    EXPECT_EQ(dialogs.cursors, std::vector<Cursor>{Qt::ArrowCursor});
    EXPECT_NE(dialogs.shown.at(0).find("absent.TXT"), std::string::npos);
    EXPECT_EQ(dialogs.boxesClickedAway, 1);
    EXPECT_EQ(OverrideCursor(), std::nullopt);
}

// 确定 shows that Qt's own translations are installed for the standard buttons.
TEST(MessageBoxes, ReadInChineseWithLinesBrokenAtCrLf) {
    auto box = MakeOkBox("第一行\r\n<300Pa/m", "pelu");
    EXPECT_EQ(box->text() + "|" + box->button(QMessageBox::Ok)->text(), "第一行\n<300Pa/m|确定");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

}  // namespace
}  // namespace heatnet::testing
