#include "app/entry_windows/node_load_window.h"

#include <algorithm>

#include <QLineEdit>
#include <QPushButton>

#include "data/base_data_file.h"
#include "app/entry_windows/box_refusal.h"
#include "app/entry_windows/box_text.h"
#include "app/entry_windows/twips_layout.h"
#include "app/entry_windows/window_fonts.h"
#include "data/application_texts.h"

namespace heatnet {

FHSR::FHSR(ProjectData& data, WindowDialogs& dialogs) : data_(data), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FHSR"));
    setWindowTitle(QStringLiteral("节点负荷输入"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(SongTypeface(9));
    SetClientSizeInTwips(this, 4428, 2640);

    AddLabel(this, "Label1", QStringLiteral("节点编号"), {600, 480, 852, 252});
    Text1 = AddTextBox(this, "Text1", {2160, 480, 852, 264});
    AddLabel(this, "Label2", QStringLiteral("节点负荷"), {600, 1080, 732, 252});
    Text2 = AddTextBox(this, "Text2", {2160, 1080, 852, 264});
    Command1 = AddButton(this, "Command1", QStringLiteral("下一个"), {240, 1920, 972, 372});
    Command4 = AddButton(this, "Command4", QStringLiteral("上一个"), {1320, 1920, 855, 375});
    Command2 = AddButton(this, "Command2", QStringLiteral("确定"), {2280, 1920, 972, 372});
    Command3 = AddButton(this, "Command3", QStringLiteral("帮助"), {3360, 1920, 972, 372});

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);

    connect(Command1, &QPushButton::clicked, this, &FHSR::ShowNext);
    connect(Command4, &QPushButton::clicked, this, &FHSR::ShowPrevious);
    connect(Command2, &QPushButton::clicked, this, &FHSR::Confirm);
    connect(Command3, &QPushButton::clicked, this, &FHSR::ShowHelp);

    FillOnOpening();
}

void FHSR::ShowCaption() {
    DrawRecordCaption(QStringLiteral("第") + BoxText(record_) + QStringLiteral(" 个节点"));
}

// nodeCount follows the basic data window's box at once; the tables end at 1400.
int FHSR::LastRecord() const { return std::clamp(LoadRecordCount(data_), 1, kMaxRecords); }

void FHSR::FillOnOpening() {
    record_ = 1;
    ShowCaption();
    const NodeLoad& load = data_.loads[1];
    Text1->setText(ValueOf(load.node) > 0 ? BoxText(load.node) : QString());
    Text2->setText(BoxText(load.load));
    shown_.Remember(this);
}

void FHSR::ShowRecord() {
    const NodeLoad& load = data_.loads[record_];
    Text1->setText(ValueOf(load.node) > 0 ? BoxText(load.node) : QString());
    Text2->setText(ValueOf(load.load) != 0 ? BoxText(load.load) : QString());
    shown_.Remember(this);
}

bool FHSR::StoreRecord() {
    if (!BoxesCanBeStored({{Text1, LabelOf(kLoadFields, &NodeLoad::node)},
                           {Text2, LabelOf(kLoadFields, &NodeLoad::load)}},
                          dialogs_))
        return false;
    NodeLoad& load = data_.loads[record_];
    load.node = BoxValue(Text1);
    load.load = BoxValue(Text2);
    return true;
}

void FHSR::ShowHelp() {
    dialogs_.ShowMessage(
        "'第?个节点' 和 '节点编号' 可以不一致 \r\n"
        "用户负荷(流出)为正,热源负荷(流入)为负\r\n"
        "节点号为0的主热源负荷不用填",
        kApplicationTitle);
}

}  // namespace heatnet
