#pragma once

#include <QListWidget>
#include <QString>

namespace heatnet {

// The picker's file list: the files of one folder that match the pattern ("*.txt"
// unless told otherwise) whatever the case of the extension, since heatnet
// itself writes ".TXT".
class DataFileList : public QListWidget {
    Q_OBJECT

public:
    explicit DataFileList(QWidget* parent = nullptr);

    void SetDirectory(const QString& path);
    // Lists the same folder again with another pattern.
    void SetPattern(const QString& pattern);
    QString Pattern() const { return pattern_; }

private:
    QString directory_;
    QString pattern_ = QStringLiteral("*.txt");
};

}  // namespace heatnet
