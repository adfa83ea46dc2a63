#include "app/entry_windows/record_caption_window.h"

#include <QPainter>

namespace heatnet {

RecordCaptionWindow::RecordCaptionWindow(QWidget* parent) : QWidget(parent) {}

void RecordCaptionWindow::ShowNext() {
    if (!StoreRecord()) return;
    record_ = record_ + 1 > LastRecord() ? 1 : record_ + 1;
    ShowCaption();
    ShowRecord();
}

void RecordCaptionWindow::ShowPrevious() {
    if (!StoreRecord()) return;
    record_ = record_ - 1 < 1 ? LastRecord() : record_ - 1;
    ShowCaption();
    ShowRecord();
}

void RecordCaptionWindow::Confirm() {
    if (!StoreRecord()) return;
    close();
}

void RecordCaptionWindow::DrawRecordCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void RecordCaptionWindow::paintEvent(QPaintEvent*) {
    if (caption_.isEmpty()) return;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    painter.drawText(QPoint(0, metrics.height() + metrics.ascent()), caption_);
}

}  // namespace heatnet
