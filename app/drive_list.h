#pragma once

#include <QComboBox>
#include <QString>

namespace heatnet {

// The picker's drive list: the mounted file systems, by the folder they are
// mounted on.
class DriveList : public QComboBox {
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    QString Drive() const;
    // Shows the drive that holds `path` without reporting a change.
    void ShowDriveOf(const QString& path);
};

}  // namespace heatnet
