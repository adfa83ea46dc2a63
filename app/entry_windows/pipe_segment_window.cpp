#include "app/entry_windows/pipe_segment_window.h"

#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/base_data_file.h"
#include "app/entry_windows/box_refusal.h"
#include "app/entry_windows/box_text.h"
#include "app/entry_windows/twips_layout.h"
#include "app/entry_windows/window_fonts.h"
#include "data/application_texts.h"

namespace heatnet {

srsj::srsj(ProjectData& data, WindowDialogs& dialogs) : data_(data), dialogs_(dialogs) {
    setObjectName(QStringLiteral("srsj"));
    setWindowTitle(QStringLiteral("输入数据"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(SongTypeface(9));
    SetClientSizeInTwips(this, 5532, 3144);

    AddLabel(this, "Label1", QStringLiteral("管段起点编号"), {240, 480, 1212, 252});
    Text1 = AddTextBox(this, "Text1", {1560, 480, 732, 264});
    AddLabel(this, "Label2", QStringLiteral("管段终点编号"), {3120, 480, 1212, 252});
    Text2 = AddTextBox(this, "Text2", {4440, 480, 732, 264});
    AddLabel(this, "Label3", QStringLiteral("管径"), {240, 1080, 612, 252});
    Text3 = AddTextBox(this, "Text3", {1560, 1080, 732, 264});
    AddLabel(this, "Label5", QStringLiteral("管段长度(m)"), {240, 1920, 1092, 252});
    Text5 = AddTextBox(this, "Text5", {1560, 1920, 732, 264});
    QLabel* twoLines =
        AddLabel(this, "Label6", QStringLiteral("局部阻力折算长度（m)"), {3120, 1800, 972, 492});
    twoLines->setWordWrap(true);
    PlaceInTwips(twoLines, {3120, 1800, 972, 492});
    Text6 = AddTextBox(this, "Text6", {4440, 1920, 852, 264});
    Command1 = AddButton(this, "Command1", QStringLiteral("下一段"), {360, 2520, 972, 372});
    Command2 = AddButton(this, "Command2", QStringLiteral("上一段"), {1800, 2520, 972, 372});
    Command4 = AddButton(this, "Command4", QStringLiteral("确定"), {3120, 2520, 975, 375});
    Command3 = AddButton(this, "Command3", QStringLiteral("帮助"), {4440, 2520, 852, 372});

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Text5);
    setTabOrder(Text5, Text6);
    setTabOrder(Text6, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);

    // Typing a length proposes the equivalent length of the local resistances.
    connect(Text5, &QLineEdit::textChanged, this, &srsj::ShowDefaultEquivalentLength);
    connect(Command1, &QPushButton::clicked, this, &srsj::ShowNext);
    connect(Command2, &QPushButton::clicked, this, &srsj::ShowPrevious);
    connect(Command4, &QPushButton::clicked, this, &srsj::Confirm);
    connect(Command3, &QPushButton::clicked, this, &srsj::ShowHelp);

    FillOnOpening();
}

void srsj::ShowDefaultEquivalentLength() {
    Text6->setText(BoxText(ValueOf(data_.localResistanceCoefficient) * BoxValue(Text5)));
}

void srsj::ShowCaption() {
    DrawRecordCaption(QStringLiteral("第") + BoxText(record_) + QStringLiteral(" 段管道"));
}

// The record tables end at 1400 whatever count the basic data window holds.
int srsj::LastRecord() const { return std::clamp(PipeRecordCount(data_), 1, kMaxRecords); }

void srsj::FillOnOpening() {
    record_ = 1;
    ShowCaption();
    const PipeSegment& pipe = data_.pipes[1];
    Text1->setText(ValueOf(pipe.startNode) >= 0 ? BoxText(pipe.startNode) : QString());
    Text2->setText(ValueOf(pipe.endNode) >= 0 ? BoxText(pipe.endNode) : QString());
    Text3->setText(BoxText(pipe.diameter));
    // Filling the length proposes an equivalent length; the record's own value replaces it.
    Text5->setText(ValueOf(pipe.length) > 0 ? BoxText(pipe.length) : QString());
    Text6->setText(ValueOf(pipe.equivalentLength) > 0 ? BoxText(pipe.equivalentLength) : QString());
    shown_.Remember(this);
}

void srsj::ShowRecord() {
    const PipeSegment& pipe = data_.pipes[record_];
    const bool entered = ValueOf(pipe.length) > 0;
    // A new segment starts where the previous one ended.
    const Number previousEnd = record_ > 1 ? data_.pipes[record_ - 1].endNode : Number(0.0);
    Text1->setText(BoxText(entered ? pipe.startNode : previousEnd));
    Text2->setText(entered ? BoxText(pipe.endNode) : QString());
    Text3->setText(BoxText(pipe.diameter));
    Text5->setText(entered ? BoxText(pipe.length) : QString());
    Text6->setText(ValueOf(pipe.equivalentLength) > 0 ? BoxText(pipe.equivalentLength) : QString());
    shown_.Remember(this);
}

bool srsj::StoreRecord() {
    const auto label = [](Number PipeSegment::*member) { return LabelOf(kSegmentFields, member); };
    if (!BoxesCanBeStored({{Text1, label(&PipeSegment::startNode)},
                           {Text2, label(&PipeSegment::endNode)},
                           {Text3, label(&PipeSegment::diameter)},
                           {Text5, label(&PipeSegment::length)},
                           {Text6, label(&PipeSegment::equivalentLength)}},
                          dialogs_))
        return false;
    PipeSegment& pipe = data_.pipes[record_];
    pipe.startNode = BoxValue(Text1);
    pipe.endNode = BoxValue(Text2);
    pipe.diameter = BoxValue(Text3);
    pipe.length = BoxValue(Text5);
    pipe.equivalentLength = BoxValue(Text6);
    return true;
}

void srsj::ShowHelp() {
    dialogs_.ShowMessage("管径:已知管径填具体值,未知待求填0 ", kApplicationTitle);
}

}  // namespace heatnet
