#pragma once

#include <string>

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "app/command_flow.h"
#include "app/data_file_picker.h"
#include "app/entry_windows/window_dialogs.h"

class QLabel;
class QPushButton;

namespace heatnet {

// The start-up window "Form1": four file commands that store their action in
// CommandMode and show the one picker, and the help.
class Form1 : public QWidget {
    Q_OBJECT

public:
    Form1(CommandFlow& flow, WindowDialogs& dialogs);
    ~Form1() override;

    // The open picker, or nullptr.
    hlwj* Picker() const;

    // A calculation's low-pressure line, drawn below the earlier ones from the
    // top left corner.
    void DrawTraceLine(const std::string& line);

signals:
    // The picker was confirmed; CommandMode says what is to follow.
    void fileConfirmed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void StartFileCommand(CommandMode mode);
    void ShowHelp();

    CommandFlow& flow_;
    WindowDialogs& dialogs_;
    QPointer<hlwj> picker_;
    // Widgets paint only when asked to, so the lines are kept to be painted again.
    QStringList traceLines_;

    QLabel* Label1;
    QPushButton* Command1;  // 运行
    QPushButton* Command2;  // 帮助
    QPushButton* Command3;  // 填写数据
    QPushButton* Command5;  // 修改数据
    QPushButton* Command6;  // 表格编辑
    QPushButton* Command7;  // 导入INP
};

}  // namespace heatnet
