#include "app/main_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/application_texts.h"
#include "app/entry_windows/window_fonts.h"
#include "hydraulics/user_interaction.h"

namespace heatnet {
namespace {

constexpr const char* kHelpText =
    "先执行'填写数据'根据提示填写数据,\r\n"
    "执行'填写数据'时要先给文件名,如该文件已存在,则系统的默认值\r\n"
    "就是该文件中的值\r\n"
    "管道填写规定:已知管径者填数值,未知待求填0\r\n"
    "节点编号规定:主热源编号为0 其它为数字1 2 3...先编主管 后编支管\r\n"
    "编号可以不连续,为便于控制支管管径的比摩阻,可以将支管节点的编号从100或200开始\r\n"
    "节点负荷规定:用户负荷为正,热源负荷为负,主热源不用填\r\n"
    "文件名+#.txt的文件为根据计算结果形成的带有管径的基本数据文件,\r\n"
    "用户可调整其中的管径,然后进行校核计算";

QPushButton* AddCommand(QWidget* window, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, window);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(SongTypeface(12));
    button->setAutoDefault(true);
    button->setMinimumSize(130, 40);
    return button;
}

bool IsOpen(const QWidget* window) { return window && window->isVisible(); }

}  // namespace

Form1::Form1(CommandFlow& flow, WindowDialogs& dialogs) : flow_(flow), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setFont(SongTypeface(9));

    Label1 = new QLabel(QStringLiteral("水网水力计算"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title = BlackTypeface(23);
    title.setBold(true);
    Label1->setFont(title);
    QPalette blue = Label1->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label1->setPalette(blue);
    Label1->setAlignment(Qt::AlignCenter);

    Command1 = AddCommand(this, "Command1", QStringLiteral("运行"));
    Command2 = AddCommand(this, "Command2", QStringLiteral("帮助"));
    Command3 = AddCommand(this, "Command3", QStringLiteral("填写数据"));
    Command5 = AddCommand(this, "Command5", QStringLiteral("修改数据"));
    Command6 = AddCommand(this, "Command6", QStringLiteral("表格编辑"));
    Command7 = AddCommand(this, "Command7", QStringLiteral("导入INP"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(48);
    grid->setVerticalSpacing(24);
    grid->addWidget(Command3, 0, 0);
    grid->addWidget(Command5, 0, 1);
    grid->addWidget(Command2, 1, 0);
    grid->addWidget(Command1, 1, 1);
    // A row of their own, so the four older commands keep their places.
    grid->addWidget(Command6, 2, 0);
    grid->addWidget(Command7, 2, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(48, 36, 48, 40);
    column->addWidget(Label1);
    column->addSpacing(28);
    column->addLayout(grid);
    column->addStretch();

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command5);
    setTabOrder(Command5, Command6);
    setTabOrder(Command6, Command7);

    connect(Command1, &QPushButton::clicked, this, [this] { StartFileCommand(CommandMode::kCalculate); });
    connect(Command3, &QPushButton::clicked, this, [this] { StartFileCommand(CommandMode::kFillIn); });
    connect(Command5, &QPushButton::clicked, this, [this] { StartFileCommand(CommandMode::kEditByHand); });
    connect(Command6, &QPushButton::clicked, this, [this] { StartFileCommand(CommandMode::kTableEdit); });
    connect(Command7, &QPushButton::clicked, this, [this] { StartFileCommand(CommandMode::kImportInp); });
    connect(Command2, &QPushButton::clicked, this, &Form1::ShowHelp);
}

Form1::~Form1() { delete picker_; }

hlwj* Form1::Picker() const { return IsOpen(picker_) ? picker_.data() : nullptr; }

void Form1::StartFileCommand(CommandMode mode) {
    flow_.CommandMode = mode;
    // One picker only: a second command brings it to the front with its directory
    // and name as they are; the mode set above decides what its confirmation does.
    if (!IsOpen(picker_)) {
        picker_ = new hlwj(flow_);
        connect(picker_, &hlwj::confirmed, this, &Form1::fileConfirmed);
    }
    picker_->ListFilesFor(mode);
    picker_->show();
    picker_->raise();
    picker_->activateWindow();
}

void Form1::ShowHelp() { dialogs_.ShowMessage(kHelpText, kApplicationTitle); }

void Form1::DrawTraceLine(const std::string& line) {
    traceLines_.append(QString::fromStdString(line));
    update();
}

void Form1::paintEvent(QPaintEvent*) {
    if (traceLines_.isEmpty()) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    int baseline = metrics.ascent();
    for (const QString& line : traceLines_) {
        painter.drawText(QPoint(0, baseline), line);
        baseline += metrics.height();
    }
}

}  // namespace heatnet
