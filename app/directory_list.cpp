#include "app/directory_list.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

namespace heatnet {
namespace {

constexpr int kPathRole = Qt::UserRole;

QListWidgetItem* AddFolder(QListWidget* list, const QString& name, const QString& path, int depth,
                           bool open) {
    const QIcon icon = list->style()->standardIcon(open ? QStyle::SP_DirOpenIcon
                                                        : QStyle::SP_DirClosedIcon);
    auto* item = new QListWidgetItem(icon, QString(depth * 2, QLatin1Char(' ')) + name, list);
    item->setData(kPathRole, path);
    return item;
}

}  // namespace

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemActivated, this, [this] { OpenHighlighted(); });
}

bool DirectoryList::SetPath(const QString& path) {
    const QFileInfo folder(path);
    if (!folder.isDir() || !folder.isReadable() || !QDir(path).isReadable()) return false;
    const QString absolute = QDir::cleanPath(folder.absoluteFilePath());
    if (absolute == path_) return true;
    path_ = absolute;
    Fill();
    emit pathChanged();
    return true;
}

void DirectoryList::Fill() {
    clear();
    // The chain of folders from the root down, each one indented below its parent.
    QStringList chain;
    for (QDir up(path_);; ) {
        chain.prepend(up.absolutePath());
        if (!up.cdUp()) break;
    }
    int depth = 0;
    for (const QString& folder : chain) {
        const QString name = folder == QDir::rootPath() ? folder : QFileInfo(folder).fileName();
        QListWidgetItem* item = AddFolder(this, name, folder, depth++, true);
        if (folder == path_) setCurrentItem(item);
    }
    const QFileInfoList subfolders = QDir(path_).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& subfolder : subfolders)
        AddFolder(this, subfolder.fileName(), subfolder.absoluteFilePath(), depth, false);
}

void DirectoryList::OpenHighlighted() {
    const QListWidgetItem* item = currentItem();
    if (item) SetPath(item->data(kPathRole).toString());
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    // Enter opens the folder here instead of confirming the picker.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenHighlighted();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void DirectoryList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    // Only a move to another control of the picker; switching windows changes nothing.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        OpenHighlighted();
}

}  // namespace heatnet
