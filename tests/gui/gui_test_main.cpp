// Runs the window tests under Qt's offscreen platform unless another is named, so they
// also run at build time, where test discovery starts this binary without a display.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/application_setup.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    heatnet::PrepareApplication(application);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
