#include "app/data_file_list.h"

#include <QDir>

namespace heatnet {

DataFileList::DataFileList(QWidget* parent) : QListWidget(parent) {}

void DataFileList::SetDirectory(const QString& path) {
    directory_ = path;
    clear();
    QDir folder(path, pattern_, QDir::Name | QDir::IgnoreCase, QDir::Files);
    addItems(folder.entryList());
}

void DataFileList::SetPattern(const QString& pattern) {
    pattern_ = pattern;
    SetDirectory(directory_);
}

}  // namespace heatnet
