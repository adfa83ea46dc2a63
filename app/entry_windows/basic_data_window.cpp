#include "app/entry_windows/basic_data_window.h"

#include <memory>

#include <QLineEdit>
#include <QPushButton>

#include "data/base_data_fields.h"
#include "data/base_data_file.h"
#include "app/entry_windows/box_refusal.h"
#include "app/entry_windows/box_text.h"
#include "app/entry_windows/entry_checks.h"
#include "app/entry_windows/network_map_window.h"
#include "app/entry_windows/save_target_question.h"
#include "app/entry_windows/twips_layout.h"
#include "app/entry_windows/window_fonts.h"
#include "data/application_texts.h"

namespace heatnet {
namespace {

constexpr const char* kCheckCaption = "确认";

// The shown count without the blank that stands for its sign.
std::string CountText(const Number& count) {
    std::string text = NumberToBoxText(count);
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    return text;
}

}  // namespace

SRSJ0::SRSJ0(ProjectData& data, WindowDialogs& dialogs) : data_(data), dialogs_(dialogs) {
    setObjectName(QStringLiteral("SRSJ0"));
    setWindowTitle(QStringLiteral("基本数据"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(SongTypeface(9));
    // The form's controls keep their places; the window grows below them for "管网图".
    SetClientSizeInTwips(this, 5028, 4500);

    AddLabel(this, "Label1", QStringLiteral("供水温度"), {360, 360, 852, 252});
    Text1 = AddTextBox(this, "Text1", {1320, 360, 612, 264});
    AddLabel(this, "Label2", QStringLiteral("回水温度"), {360, 960, 852, 252});
    Text2 = AddTextBox(this, "Text2", {1320, 960, 612, 264});
    AddLabel(this, "Label3", QStringLiteral("循环水泵入口压力(kpa)"), {2160, 360, 1932, 252});
    Text3 = AddTextBox(this, "Text3", {4200, 360, 612, 264});
    AddLabel(this, "Label4", QStringLiteral("最末端用户阻力(kpa)"), {2160, 960, 1812, 252});
    Text4 = AddTextBox(this, "Text4", {4200, 960, 612, 264});
    AddLabel(this, "Label5", QStringLiteral("局部阻力折算系数"), {360, 1560, 1452, 252});
    Text5 = AddTextBox(this, "Text5", {2160, 1560, 852, 264});
    AddLabel(this, "Label6", QStringLiteral("节点数"), {360, 2040, 732, 252});
    Text6 = AddTextBox(this, "Text6", {1320, 2040, 612, 264});
    Command5 = AddButton(this, "Command5", QStringLiteral("输入节点负荷"), {2520, 2040, 1692, 252});
    AddLabel(this, "Label7", QStringLiteral("管道数"), {360, 2520, 612, 252});
    Text7 = AddTextBox(this, "Text7", {1320, 2520, 612, 264});
    Command4 = AddButton(this, "Command4", QStringLiteral("输入管道数据"), {2520, 2520, 1692, 252});
    AddLabel(this, "Label8", QStringLiteral("按300pa/m选择管径的起始节点号"), {360, 3000, 2652, 252});
    Text8 = AddTextBox(this, "Text8", {3360, 3000, 612, 264});
    Command1 = AddButton(this, "Command1", QStringLiteral("确定"), {360, 3480, 972, 372});
    Command2 = AddButton(this, "Command2", QStringLiteral("取消"), {1920, 3480, 852, 372});
    Command3 = AddButton(this, "Command3", QStringLiteral("帮助"), {3360, 3480, 852, 372});
    networkMapButton_ = AddButton(this, "networkMap", QStringLiteral("管网图"), {360, 4020, 972, 312});

    const QList<QWidget*> tabOrder = {Command1, Command2, Command3, Command4, Command5, Text1,
                                      Text2,    Text3,    Text4,    Text5,    Text6,    Text7,
                                      Text8};
    for (qsizetype i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

    FillOnOpening();

    // The segment window reads the coefficient, the load window the node count,
    // while this window is still open: both follow their box at once.
    connect(Text5, &QLineEdit::textChanged, this,
            [this] { data_.localResistanceCoefficient = BoxValue(Text5); });
    connect(Text6, &QLineEdit::textChanged, this, [this] { data_.nodeCount = BoxValue(Text6); });
    connect(Command4, &QPushButton::clicked, this, &SRSJ0::RequestPipeSegments);
    connect(Command5, &QPushButton::clicked, this, &SRSJ0::RequestNodeLoads);
    connect(Command1, &QPushButton::clicked, this, &SRSJ0::Confirm);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(Command3, &QPushButton::clicked, this, &SRSJ0::ShowHelp);
    connect(networkMapButton_, &QPushButton::clicked, this, &SRSJ0::ShowNetworkMap);
}

void SRSJ0::FillOnOpening() {
    // Values that are not positive keep the built-in defaults (or an empty box).
    const auto fill = [](QLineEdit* box, const Number& value, const char* builtIn) {
        box->setText(ValueOf(value) > 0 ? BoxText(value) : QString::fromUtf8(builtIn));
    };
    fill(Text1, data_.supplyTemperature, "130");
    fill(Text2, data_.returnTemperature, "70");
    fill(Text3, data_.pumpInletPressure, "200");
    fill(Text4, data_.lastUserResistance, "50");
    fill(Text5, data_.localResistanceCoefficient, "0.4");
    fill(Text6, data_.nodeCount, "");
    fill(Text7, data_.pipeCount, "");
    fill(Text8, data_.branchStartNode, "");
    shown_.Remember(this);
}

void SRSJ0::RequestPipeSegments() {
    data_.localResistanceCoefficient = BoxValue(Text5);
    data_.pipeCount = BoxValue(Text7);
    if (ValueOf(data_.pipeCount) < 1) return;
    if (PipeRecordCount(data_) > kMaxRecords) {
        const char* label = kHeaderFields[kPipeCountField].label;
        dialogs_.ShowMessage(label + CountText(data_.pipeCount) + "超过" +
                                 std::to_string(kMaxRecords) + ",无法输入管道数据。",
                             kApplicationTitle);
        return;
    }
    emit pipeSegmentsRequested();
}

void SRSJ0::RequestNodeLoads() {
    data_.nodeCount = BoxValue(Text6);
    if (ValueOf(data_.nodeCount) <= 1) return;
    if (LoadRecordCount(data_) > kMaxRecords) {
        const char* label = kHeaderFields[kNodeCountField].label;
        dialogs_.ShowMessage(label + CountText(data_.nodeCount) + "超过" +
                                 std::to_string(kMaxRecords + 1) + "(节点负荷最多" +
                                 std::to_string(kMaxRecords) + "个),无法输入节点负荷。",
                             kApplicationTitle);
        return;
    }
    emit nodeLoadsRequested();
}

void SRSJ0::StoreBoxes() {
    data_.supplyTemperature = BoxValue(Text1);
    data_.returnTemperature = BoxValue(Text2);
    data_.pumpInletPressure = BoxValue(Text3);
    data_.lastUserResistance = BoxValue(Text4);
    data_.localResistanceCoefficient = BoxValue(Text5);
    data_.nodeCount = BoxValue(Text6);
    data_.pipeCount = BoxValue(Text7);
    data_.branchStartNode = BoxValue(Text8);
}

bool SRSJ0::BoxTextsAreUsable() {
    const auto label = [](Number ProjectData::*member) { return LabelOf(kHeaderFields, member); };
    // Node 0 is the heat source; every other node has one load record.
    const CountRange nodes = {1, kMaxRecords + 1}, pipes = {0, kMaxRecords};
    return BoxesCanBeStored({{Text1, label(&ProjectData::supplyTemperature)},
                             {Text2, label(&ProjectData::returnTemperature)},
                             {Text3, label(&ProjectData::pumpInletPressure)},
                             {Text4, label(&ProjectData::lastUserResistance)},
                             {Text5, label(&ProjectData::localResistanceCoefficient)},
                             {Text6, label(&ProjectData::nodeCount), nodes},
                             {Text7, label(&ProjectData::pipeCount), pipes},
                             {Text8, label(&ProjectData::branchStartNode)}},
                            dialogs_);
}

void SRSJ0::Confirm() {
    // This window's boxes are checked first, so that a refusal here stores nothing.
    if (!BoxTextsAreUsable() || !storeRecordWindows_()) return;
    hide();
    if (StoreAndWrite()) {
        closedByOk_ = true;
        close();
        return;
    }
    show();
}

bool SRSJ0::Save() { return BoxTextsAreUsable() && storeRecordWindows_() && StoreAndWrite(); }

bool SRSJ0::StoreAndWrite() {
    // An OK that ends without a written file leaves the record as it found it and
    // brings the window back with the boxes as typed, so nothing is lost.
    const auto before = std::make_unique<ProjectData>(data_);
    StoreBoxes();
    if (CheckAndWrite()) return true;
    data_ = *before;
    return false;
}

bool SRSJ0::CheckAndWrite() {
    if (PipeRecordCount(data_) > kMaxRecords || LoadRecordCount(data_) > kMaxRecords) {
        dialogs_.ShowMessage("管道数不能超过" + std::to_string(kMaxRecords) + ",节点数不能超过" +
                                 std::to_string(kMaxRecords + 1) + ",数据文件未写入。",
                             kApplicationTitle);
        return false;
    }
    // Advisory only: whichever button is pressed, the next check follows and the
    // file is written all the same.
    for (const std::optional<std::string>& message : {MissingLoadMessage(data_), OrphanLoadMessage(data_)})
        if (message) dialogs_.AskCancelTryContinue(*message, kCheckCaption);

    const std::optional<DataFileNames> target = AskSaveTarget(data_, dialogs_);
    if (!target) return false;
    data_.fileName = target->fileName;
    data_.baseName = target->baseName;
    if (const ErrorMessage error = WriteBaseDataFile(data_.fileName, data_); !error.empty()) {
        dialogs_.ShowMessage(error, kApplicationTitle);
        return false;
    }
    return true;
}

// The records as stored (what the record windows show is stored when moving
// on), counted by the boxes as now typed; drawn afresh at every press.
void SRSJ0::ShowNetworkMap() {
    const auto network = [this] {
        EditedNetwork edited{std::make_unique<ProjectData>(data_), {}};
        edited.data->nodeCount = BoxValue(Text6);
        edited.data->pipeCount = BoxValue(Text7);
        edited.data->branchStartNode = BoxValue(Text8);
        return edited;
    };
    if (networkMap_) {
        networkMap_->Refresh();
    } else {
        networkMap_ = new NetworkMapWindow(QString::fromStdString(data_.fileName), network, this);
    }
    networkMap_->show();
    networkMap_->raise();
}

void SRSJ0::ShowHelp() {
    dialogs_.ShowMessage(
        "局部阻力折算系数: \r\n"
        "填大部分管道所采用的局部阻力折算系数\r\n"
        "在后面填写的管段数据中,管道当量长度将出现按该系数计算的缺省值\r\n"
        "对于离热源距离近的支管,其管径的选择可以按比摩阻<300Pa/m考虑面填写的管段数据中,"
        "管道当量长度将出现按该系数计算的缺省值",
        kApplicationTitle);
}

}  // namespace heatnet
