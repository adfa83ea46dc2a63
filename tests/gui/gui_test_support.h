#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../test_support.h"

namespace heatnet::testing {

// The control a window names `name`; fails the test when there is none.
template <typename Control = QWidget>
Control* Find(const QWidget* window, const char* name) {
    auto* control = window ? window->findChild<Control*>(QString::fromLatin1(name)) : nullptr;
    EXPECT_NE(control, nullptr) << name;
    return control;
}

inline void Click(const QWidget* window, const char* button) {
    if (auto* control = Find<QPushButton>(window, button)) QTest::mouseClick(control, Qt::LeftButton);
}

// Replaces the box's text keystroke by keystroke, as a person types it.
inline void Type(const QWidget* window, const char* box, const QString& text) {
    if (auto* control = Find<QLineEdit>(window, box)) {
        control->clear();
        QTest::keyClicks(control, text);
    }
}

inline std::string Text(const QWidget* window, const char* box) {
    auto* control = Find<QLineEdit>(window, box);
    return control ? control->text().toStdString() : "<missing>";
}

// Lets closed windows go, as the event loop would between two clicks.
inline void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Makes a folder the process's current folder for the life of the object.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder) {
        // Tests that write beside the current folder must never write into the tree.
        EXPECT_TRUE(QDir::setCurrent(QString::fromStdString(folder.string()))) << folder;
    }
    ~CurrentFolder() { QDir::setCurrent(previous_); }

private:
    QString previous_ = QDir::currentPath();
};

}  // namespace heatnet::testing
