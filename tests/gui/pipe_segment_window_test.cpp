#include <gtest/gtest.h>

#include <QImage>
#include <QPointer>

#include "app/entry_windows/pipe_segment_window.h"
#include "gui_test_support.h"
#include "scripted_dialogs.h"

namespace heatnet {
namespace {

using testing::Click;
using testing::Text;
using testing::Type;

class PipeSegmentWindow : public ::testing::Test {
protected:
    void Open(double pipeCount) {
        delete window;
        data->pipeCount = pipeCount;
        data->localResistanceCoefficient = 0.4;
        window = new srsj(*data, dialogs);
        window->show();
    }
    void TearDown() override { delete window; }
    // Caption and the five boxes, joined.
    std::string Shown() const {
        std::string shown = window->RecordCaption().toStdString();
        for (const char* box : {"Text1", "Text2", "Text3", "Text5", "Text6"})
            shown += "|" + Text(window, box);
        return shown;
    }

    std::unique_ptr<ProjectData> data = std::make_unique<ProjectData>();
    testing::ScriptedDialogs dialogs;
    QPointer<srsj> window;
};

TEST_F(PipeSegmentWindow, NewSegmentStartsWhereThePreviousEnded) {
    Open(3);
    EXPECT_EQ(Shown(), "第 1 段管道| 0| 0| 0||");
    Type(window, "Text2", "1");
    Type(window, "Text3", "150");
    Type(window, "Text5", "120");
    EXPECT_EQ(Text(window, "Text6"), " 48");  // 0.4 x 120, proposed while typing
    Click(window, "Command1");
    EXPECT_EQ(Shown(), "第 2 段管道| 1|| 0||");
    const PipeSegment& first = data->pipes[1];
    EXPECT_EQ((std::vector<Number>{first.startNode, first.endNode, first.diameter, first.length,
                                   first.equivalentLength}),
              (std::vector<Number>{0.0, 1.0, 150.0, 120.0, 48.0}));

    // The caption is drawn on the surface one text line below the top edge.
    const QImage surface = window->grab().toImage();
    const int line = window->fontMetrics().height();
    auto inked = [&](int top) {
        int count = 0;
        for (int y = top; y < top + line - 2; ++y)
            for (int x = 0; x < 4 * line; ++x) count += surface.pixel(x, y) != surface.pixel(0, 0);
        return count;
    };
    EXPECT_EQ(inked(0), 0);
    EXPECT_GT(inked(line), 20);
}

TEST_F(PipeSegmentWindow, RecordsWrapAroundAndFollowTheCount) {
    data->pipes[1] = {200.0, 100.0, 0.0, 0.0, 6.0};
    data->pipes[2] = {80.0, 0.0, 5.0, 6.0, 9.0};  // no length, an equivalent length of its own
    Open(3);
    EXPECT_EQ(Shown(), "第 1 段管道| 0| 6| 200| 100|");
    Click(window, "Command1");
    EXPECT_EQ(Shown(), "第 2 段管道| 6|| 80|| 5");
    Click(window, "Command2");
    Click(window, "Command2");
    EXPECT_EQ(window->CurrentRecord(), 3);
    data->pipeCount = 2;  // confirmed meanwhile in the basic data window
    Click(window, "Command1");
    EXPECT_EQ(window->CurrentRecord(), 1);
    Click(window, "Command2");
    EXPECT_EQ(window->CurrentRecord(), 2);

    Open(1);
    Type(window, "Text5", "7");
    Click(window, "Command2");
    EXPECT_EQ(Shown(), "第 1 段管道| 0| 6| 200| 7| 2.8");
}

}  // namespace
}  // namespace heatnet
