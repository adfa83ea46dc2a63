#pragma once

#include <functional>
#include <utility>

#include <QPointer>
#include <QWidget>

#include "data/project_data.h"
#include "app/entry_windows/shown_boxes.h"
#include "app/entry_windows/window_dialogs.h"

class QLineEdit;
class QPushButton;

namespace heatnet {

class NetworkMapWindow;

// The basic data window "基本数据", hub of a fill-in: shows the eight design values
// of the project record, asks for the segment and load windows, and on OK checks
// the records and writes the basic data file.
class SRSJ0 : public QWidget {
    Q_OBJECT

public:
    SRSJ0(ProjectData& data, WindowDialogs& dialogs);

    // What "确定" does, short of closing: false when it ends without a written file.
    bool Save();
    // Stores what the record windows show and was typed since, before the file is
    // written, so that nothing typed is lost; false when one of them refuses a box.
    void StoreRecordWindowsWith(std::function<bool()> store) { storeRecordWindows_ = std::move(store); }
    bool ClosedByOk() const { return closedByOk_; }
    bool HoldsTypedValues() const { return shown_.Typed(this); }  // not stored yet

signals:
    void pipeSegmentsRequested();  // "输入管道数据" with a usable pipe count
    void nodeLoadsRequested();     // "输入节点负荷" with a usable node count

private:
    void FillOnOpening();
    void RequestPipeSegments();  // "输入管道数据"
    void RequestNodeLoads();     // "输入节点负荷"
    void Confirm();              // "确定"
    void ShowHelp();             // "帮助"
    void ShowNetworkMap();       // "管网图"
    bool BoxTextsAreUsable();  // if not, says why and focuses the box
    void StoreBoxes();
    bool CheckAndWrite();
    bool StoreAndWrite();

    ProjectData& data_;
    WindowDialogs& dialogs_;
    ShownBoxes shown_;
    bool closedByOk_ = false;
    std::function<bool()> storeRecordWindows_ = [] { return true; };

    QLineEdit* Text1;  // supplyTemperature
    QLineEdit* Text2;  // returnTemperature
    QLineEdit* Text3;  // pumpInletPressure
    QLineEdit* Text4;  // lastUserResistance
    QLineEdit* Text5;  // localResistanceCoefficient
    QLineEdit* Text6;  // nodeCount
    QLineEdit* Text7;  // pipeCount
    QLineEdit* Text8;  // branchStartNode
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* networkMapButton_;  // below the form's own controls
    QPointer<NetworkMapWindow> networkMap_;
};

}  // namespace heatnet
