#include "app/entry_windows/screen_fitted_text.h"

#include <algorithm>

#include <QAbstractButton>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

namespace heatnet {
namespace {

const QChar kEllipsis(0x2026);

// Parentless boxes open on the screen under the mouse.
QRect AvailableGeometryForBox() {
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

int WrappedHeight(const QFontMetrics& metrics, int width, const QString& text) {
    return metrics.boundingRect(QRect(0, 0, width, 1 << 24), Qt::TextWordWrap, text).height();
}

// The details button is the one button of the box that no caller added: every
// caller's button closes the box or carries its own name.
QAbstractButton* DetailsButton(QMessageBox& box) {
    for (QAbstractButton* button : box.buttons())
        if (box.buttonRole(button) == QMessageBox::ActionRole && button->objectName().isEmpty())
            return button;
    return nullptr;
}

}  // namespace

QString TextCutToHeight(const QString& text, const QFont& font, int width, int height) {
    const QFontMetrics metrics(font);
    if (WrappedHeight(metrics, width, text) <= height) return text;
    // The longest head that fits, found by halving: wrapped height grows with length.
    qsizetype fits = 0, tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (WrappedHeight(metrics, width, text.left(middle) + kEllipsis) <= height)
            fits = middle;
        else
            tooLong = middle;
    }
    return text.left(fits).trimmed() + kEllipsis;
}

void SetScreenFittedText(QMessageBox& box, const QString& text) {
    const QRect screen = AvailableGeometryForBox();
    // A box lays its text out at most half the screen and 500 pixels wide; a
    // narrower guess only errs towards a shorter head. Below the text go the
    // details (a fixed 100 pixels), the buttons, the margins and the title bar:
    // a third of the screen and 100 pixels more leave room for them.
    const int width = std::min(screen.width() / 2, 500) - 80;
    const int lineHeight = QFontMetrics(box.font()).lineSpacing();
    const int height = std::max(screen.height() * 2 / 3 - 100, 3 * lineHeight);
    const QString shown = TextCutToHeight(text, box.font(), width, height);
    box.setText(shown);
    if (shown == text) return;
    box.setDetailedText(text);
    if (QAbstractButton* details = DetailsButton(box)) details->click();
}

}  // namespace heatnet
