#pragma once

#include "data/project_data.h"
#include "app/entry_windows/record_caption_window.h"
#include "app/entry_windows/shown_boxes.h"
#include "app/entry_windows/window_dialogs.h"

class QLineEdit;
class QPushButton;

namespace heatnet {

// The node load window "节点负荷输入": steps through load records 1..nodeCount-1
// (node 0, the main heat source, has none). It never writes a file.
class FHSR : public RecordCaptionWindow {
    Q_OBJECT

public:
    FHSR(ProjectData& data, WindowDialogs& dialogs);

    int CurrentRecord() const { return record_; }
    bool HoldsTypedValues() const { return shown_.Typed(this); }  // not stored yet
    bool StoreShownRecord() { return StoreRecord(); }  // as moving on would

private:
    void ShowNext();      // "下一个"
    void ShowPrevious();  // "上一个"
    void Confirm();       // "确定"
    void ShowHelp();      // "帮助"
    void FillOnOpening();
    void ShowRecord();
    bool StoreRecord();  // false, storing nothing, when a box is refused
    void ShowCaption();
    int LastRecord() const;

    ProjectData& data_;
    WindowDialogs& dialogs_;
    int record_ = 1;
    ShownBoxes shown_;

    QLineEdit* Text1;  // node
    QLineEdit* Text2;  // load
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
};

}  // namespace heatnet
