#include "app/drive_list.h"

#include <QSignalBlocker>
#include <QStorageInfo>

namespace heatnet {

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) addItem(volume.rootPath(), volume.rootPath());
    model()->sort(0);
}

QString DriveList::Drive() const { return currentData().toString(); }

void DriveList::ShowDriveOf(const QString& path) {
    const QString root = QStorageInfo(path).rootPath();
    const QSignalBlocker quiet(this);
    int index = findData(root);
    if (index < 0) {
        addItem(root, root);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

}  // namespace heatnet
