#pragma once

#include "data/project_data.h"
#include "app/entry_windows/record_caption_window.h"
#include "app/entry_windows/window_dialogs.h"

class QLineEdit;
class QPushButton;

namespace heatnet {

// The pipe segment window "输入数据": steps through segment records 1..pipeCount,
// storing the boxes into the current record as the person moves on. It never
// writes a file.
class srsj : public RecordCaptionWindow {
    Q_OBJECT

public:
    srsj(ProjectData& data, WindowDialogs& dialogs);

private:
    void ShowHelp();      // "帮助"
    void FillOnOpening();
    void ShowRecord() override;
    bool StoreRecord() override;
    void ShowDefaultEquivalentLength();
    void ShowCaption() override;
    int LastRecord() const override;

    ProjectData& data_;
    WindowDialogs& dialogs_;

    QLineEdit* Text1;  // startNode
    QLineEdit* Text2;  // endNode
    QLineEdit* Text3;  // diameter
    QLineEdit* Text5;  // length
    QLineEdit* Text6;  // equivalentLength
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
};

}  // namespace heatnet
