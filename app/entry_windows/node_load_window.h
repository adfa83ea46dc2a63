#pragma once

#include "data/project_data.h"
#include "app/entry_windows/record_caption_window.h"
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

private:
    void ShowHelp();      // "帮助"
    void FillOnOpening();
    void ShowRecord() override;
    bool StoreRecord() override;
    void ShowCaption() override;
    int LastRecord() const override;

    ProjectData& data_;
    WindowDialogs& dialogs_;

    QLineEdit* Text1;  // node
    QLineEdit* Text2;  // load
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
};

}  // namespace heatnet
