#pragma once

#include <QString>
#include <QWidget>

namespace heatnet {

// An entry window that steps through records and names the current one in a line
// drawn on its own surface, one text line below the top edge, above the boxes.
class RecordCaptionWindow : public QWidget {
    Q_OBJECT

public:
    explicit RecordCaptionWindow(QWidget* parent = nullptr);

    const QString& RecordCaption() const { return caption_; }

protected:
    // Each step repaints the surface with the new record's caption only.
    void DrawRecordCaption(const QString& caption);
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

}  // namespace heatnet
