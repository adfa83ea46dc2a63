#include "app/data_file_picker.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/data_file_list.h"
#include "app/directory_list.h"
#include "app/drive_list.h"
#include "app/entry_windows/window_fonts.h"

namespace heatnet {
namespace {

template <typename Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

}  // namespace

hlwj::hlwj(CommandFlow& flow) : flow_(flow) {
    setObjectName(QStringLiteral("hlwj"));
    setWindowTitle(QStringLiteral("文件"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFont(SongTypeface(9));
    resize(460, 330);

    Picture1 = Named(new QWidget(this), "Picture1");
    Picture1->setFont(SansSerifTypeface(9));
    Picture1->setAutoFillBackground(true);
    lblCriteria = Named(new QLabel(QStringLiteral("文件名:"), Picture1), "lblCriteria");
    txtSearchSpec = Named(new QLineEdit(QStringLiteral("*.txt"), Picture1), "txtSearchSpec");
    filList = Named(new DataFileList(Picture1), "filList");
    drvList = Named(new DriveList(Picture1), "drvList");
    dirList = Named(new DirectoryList(Picture1), "dirList");
    cmdSearch = Named(new QPushButton(QStringLiteral("确定"), this), "cmdSearch");
    cmdExit = Named(new QPushButton(QStringLiteral("E&xit"), this), "cmdExit");
    cmdSearch->setDefault(true);

    auto* panel = new QGridLayout(Picture1);
    panel->addWidget(lblCriteria, 0, 0);
    panel->addWidget(txtSearchSpec, 0, 1, 1, 2);
    panel->addWidget(filList, 1, 0, 2, 2);
    panel->addWidget(drvList, 1, 2);
    panel->addWidget(dirList, 2, 2);
    panel->setColumnStretch(1, 1);
    panel->setColumnStretch(2, 1);
    panel->setRowStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSearch);
    buttons->addSpacing(24);
    buttons->addWidget(cmdExit);
    buttons->addStretch();
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 10);
    window->addWidget(Picture1, 1);
    window->addLayout(buttons);

    setTabOrder(drvList, dirList);
    setTabOrder(dirList, filList);
    setTabOrder(filList, txtSearchSpec);
    setTabOrder(txtSearchSpec, cmdSearch);
    setTabOrder(cmdSearch, cmdExit);

    // Every opening starts from the process's current folder; moving through the
    // lists never changes that folder.
    dirList->SetPath(QDir::currentPath());
    drvList->ShowDriveOf(dirList->Path());
    filList->SetDirectory(dirList->Path());

    connect(drvList, &QComboBox::currentIndexChanged, this, &hlwj::ChangeDrive);
    connect(dirList, &DirectoryList::pathChanged, this,
            [this] { filList->SetDirectory(dirList->Path()); });
    connect(filList, &QListWidget::itemSelectionChanged, this, &hlwj::TakeSelectedFile);
    connect(filList, &QListWidget::itemClicked, this, &hlwj::TakeSelectedFile);
    // A double-click on a file chooses it and confirms, as a click and "确定" do.
    connect(filList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        txtSearchSpec->setText(item->text());
        Confirm();
    });
    txtSearchSpec->installEventFilter(this);
    connect(cmdSearch, &QPushButton::clicked, this, &hlwj::Confirm);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
}

void hlwj::ListFilesFor(CommandMode mode) {
    const QString pattern = mode == CommandMode::kImportInp ? QStringLiteral("*.inp") : QStringLiteral("*.txt");
    if (pattern == filList->Pattern()) return;
    if (txtSearchSpec->text() == filList->Pattern()) txtSearchSpec->setText(pattern);
    filList->SetPattern(pattern);
}

void hlwj::ChangeDrive() {
    // A drive that cannot be read puts the list back on the drive in use, silently.
    if (!dirList->SetPath(drvList->Drive())) drvList->ShowDriveOf(dirList->Path());
}

void hlwj::TakeSelectedFile() {
    const QList<QListWidgetItem*> chosen = filList->selectedItems();
    if (!chosen.isEmpty()) txtSearchSpec->setText(chosen.front()->text());
}

bool hlwj::eventFilter(QObject* watched, QEvent* event) {
    // The whole name is selected on entry, so typing replaces it. Deferred, as the
    // click that brings the focus would otherwise place the cursor afterwards.
    if (watched == txtSearchSpec && event->type() == QEvent::FocusIn)
        QMetaObject::invokeMethod(txtSearchSpec, &QLineEdit::selectAll, Qt::QueuedConnection);
    return QDialog::eventFilter(watched, event);
}

void hlwj::Confirm() {
    // Joined without any check: a drive root gives two separators, an unchosen
    // name passes "*.txt" on; the action that follows judges the name.
    flow_.SelectedDataFile = (dirList->Path() + QLatin1Char('/') + txtSearchSpec->text()).toStdString();
    // What follows runs inside the click, key or double-click that confirmed, to
    // its end: a calculation with its own message boxes, whose event loops would
    // delete a picker closed the usual way while that handler still uses it. So it
    // is closed without deletion and deleted once control is back in the event loop.
    setAttribute(Qt::WA_DeleteOnClose, false);
    close();
    emit confirmed();
    deleteLater();
}

}  // namespace heatnet
