#include <gtest/gtest.h>

#include <QPointer>

#include "app/entry_windows/node_load_window.h"
#include "gui_test_support.h"
#include "scripted_dialogs.h"

namespace heatnet {
namespace {

using testing::Click;
using testing::Text;
using testing::Type;

class NodeLoadWindow : public ::testing::Test {
protected:
    void Open(double nodeCount) {
        delete window;
        data->nodeCount = nodeCount;
        window = new FHSR(*data, dialogs);
    }
    void TearDown() override { delete window; }
    // Presses a button three times and tells which records were shown.
    std::string ThreeSteps(const char* button) {
        std::string captions;
        for (int step = 0; step < 3; ++step) {
            Click(window, button);
            captions += window->RecordCaption().toStdString();
        }
        return captions;
    }

    std::unique_ptr<ProjectData> data = std::make_unique<ProjectData>();
    testing::ScriptedDialogs dialogs;
    QPointer<FHSR> window;
};

TEST_F(NodeLoadWindow, StepsThroughNodeCountMinusOneRecordsWithWrapAround) {
    Open(4);
    EXPECT_EQ(window->RecordCaption().toStdString(), "第 1 个节点");
    EXPECT_EQ(Text(window, "Text1") + "|" + Text(window, "Text2"), "| 0");
    EXPECT_EQ(ThreeSteps("Command1"), "第 2 个节点第 3 个节点第 1 个节点");
    EXPECT_EQ(ThreeSteps("Command4"), "第 3 个节点第 2 个节点第 1 个节点");
    // Revisited, a stored load of 0 shows as an empty box.
    EXPECT_EQ(Text(window, "Text2"), "");

    Open(2);
    Type(window, "Text1", "5");
    EXPECT_EQ(ThreeSteps("Command1"), "第 1 个节点第 1 个节点第 1 个节点");
    EXPECT_EQ(Text(window, "Text1"), " 5");
}

TEST_F(NodeLoadWindow, ValuesAreStoredOnEveryMoveAndOnConfirmOnly) {
    Open(4);
    Type(window, "Text1", "7");
    Type(window, "Text2", "1.2");
    Click(window, "Command1");
    Type(window, "Text1", "4");
    Type(window, "Text2", "-2.5");
    Click(window, "Command1");
    Click(window, "Command4");
    EXPECT_EQ(Text(window, "Text1") + "|" + Text(window, "Text2"), " 4|-2.5");
    Click(window, "Command4");
    EXPECT_EQ(Text(window, "Text1") + "|" + Text(window, "Text2"), " 7| 1.2");
    EXPECT_EQ(data->loads[2].load, -2.5);

    Type(window, "Text2", "3");
    window->close();  // the close box leaves the current boxes out
    EXPECT_EQ(data->loads[1].load, 1.2);
    Open(4);
    Type(window, "Text2", "3");
    Click(window, "Command2");
    EXPECT_EQ(data->loads[1].load, 3.0);
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace heatnet
