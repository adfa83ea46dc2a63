#pragma once

#include <QDialog>

#include "app/command_flow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace heatnet {

class DataFileList;
class DirectoryList;
class DriveList;

// The data file picker "文件": a drive, a folder and a name. Confirming joins
// them into SelectedDataFile, closes the picker and reports it; what follows is
// up to CommandMode. Modeless, without an owner, destroyed after it closes.
class hlwj : public QDialog {
    Q_OBJECT

public:
    explicit hlwj(CommandFlow& flow);
    // The files the list shows: "*.inp" for 导入INP, data files otherwise. A name
    // box still holding the other pattern takes the new one; a typed name stays.
    void ListFilesFor(CommandMode mode);

signals:
    void confirmed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Confirm();      // "确定"
    void ChangeDrive();  // a drive chosen in the drive list
    void TakeSelectedFile();

    CommandFlow& flow_;

    QWidget* Picture1;
    DriveList* drvList;
    DirectoryList* dirList;
    DataFileList* filList;
    QLineEdit* txtSearchSpec;
    QLabel* lblCriteria;
    QPushButton* cmdSearch;
    QPushButton* cmdExit;
};

}  // namespace heatnet
