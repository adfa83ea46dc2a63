#pragma once

#include <QListWidget>
#include <QString>

namespace heatnet {

// The picker's file list: the files of one folder that match "*.txt" whatever the
// case of the extension, since heatnet itself writes ".TXT".
class DataFileList : public QListWidget {
    Q_OBJECT

public:
    explicit DataFileList(QWidget* parent = nullptr);

    void SetDirectory(const QString& path);
};

}  // namespace heatnet
