#pragma once

#include <QString>
#include <QWidget>

#include "app/entry_windows/shown_boxes.h"

namespace heatnet {

// An entry window that steps through records and names the current one in a line
// drawn on its own surface, one text line below the top edge, above the boxes.
class RecordCaptionWindow : public QWidget {
    Q_OBJECT

public:
    explicit RecordCaptionWindow(QWidget* parent = nullptr);

    const QString& RecordCaption() const { return caption_; }
    int CurrentRecord() const { return record_; }
    bool HoldsTypedValues() const { return shown_.Typed(this); }  // not stored yet
    bool StoreShownRecord() { return StoreRecord(); }  // as moving on would

protected:
    // The buttons' steps. Each stores the shown record first and stays on it when
    // a box is refused; moving past either end wraps around.
    void ShowNext();
    void ShowPrevious();
    void Confirm();  // stores and closes

    virtual void ShowRecord() = 0;
    virtual bool StoreRecord() = 0;  // false, storing nothing, when a box is refused
    virtual void ShowCaption() = 0;
    virtual int LastRecord() const = 0;

    int record_ = 1;
    ShownBoxes shown_;

    // Each step repaints the surface with the new record's caption only.
    void DrawRecordCaption(const QString& caption);
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

}  // namespace heatnet
