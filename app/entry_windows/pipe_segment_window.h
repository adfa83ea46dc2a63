#pragma once

#include "data/project_data.h"
#include "app/entry_windows/record_caption_window.h"
#include "app/entry_windows/shown_boxes.h"
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

    int CurrentRecord() const { return record_; }
    bool HoldsTypedValues() const { return shown_.Typed(this); }  // not stored yet
    bool StoreShownRecord() { return StoreRecord(); }  // as moving on would

private:
    void ShowNext();      // "下一段"
    void ShowPrevious();  // "上一段"
    void Confirm();       // "确定"
    void ShowHelp();      // "帮助"
    void FillOnOpening();
    void ShowRecord();
    bool StoreRecord();  // false, storing nothing, when a box is refused
    void ShowDefaultEquivalentLength();
    void ShowCaption();
    int LastRecord() const;

    ProjectData& data_;
    WindowDialogs& dialogs_;
    int record_ = 1;
    ShownBoxes shown_;

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
