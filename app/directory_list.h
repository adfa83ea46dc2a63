#pragma once

#include <QListWidget>
#include <QString>

namespace heatnet {

// The picker's directory list: the folders from the root down to the current
// one, then the current one's subfolders. A double-click or Enter opens the
// highlighted folder; leaving the list opens it as well, so a folder that was only
// highlighted is the one a confirmation uses.
class DirectoryList : public QListWidget {
    Q_OBJECT

public:
    explicit DirectoryList(QWidget* parent = nullptr);

    const QString& Path() const { return path_; }
    // False, with the path unchanged, for a folder that cannot be listed.
    bool SetPath(const QString& path);

signals:
    void pathChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OpenHighlighted();
    void Fill();

    QString path_;
};

}  // namespace heatnet
