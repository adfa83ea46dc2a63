#include "app/data_file_list.h"

#include <QDir>

namespace heatnet {

DataFileList::DataFileList(QWidget* parent) : QListWidget(parent) {}

void DataFileList::SetDirectory(const QString& path) {
    clear();
    QDir folder(path, QStringLiteral("*.txt"), QDir::Name | QDir::IgnoreCase, QDir::Files);
    addItems(folder.entryList());
}

}  // namespace heatnet
