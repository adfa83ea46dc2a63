#include "app/entry_windows/twips_layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtMath>

namespace heatnet {

// The window layouts are in twips, a twentieth of a printer's point.
constexpr double kTwipsPerInch = 1440;

int TwipsToPixels(int twips, int dotsPerInch) {
    return qRound(twips * dotsPerInch / kTwipsPerInch);
}

void PlaceInTwips(QWidget* control, const TwipsRect& rect) {
    const int x = control->logicalDpiX();
    const int y = control->logicalDpiY();
    control->setGeometry(TwipsToPixels(rect.left, x), TwipsToPixels(rect.top, y),
                         TwipsToPixels(rect.width, x), TwipsToPixels(rect.height, y));
}

void SetClientSizeInTwips(QWidget* window, int width, int height) {
    window->setFixedSize(TwipsToPixels(width, window->logicalDpiX()),
                         TwipsToPixels(height, window->logicalDpiY()));
}

QLabel* AddLabel(QWidget* window, const char* name, const QString& text, const TwipsRect& rect) {
    auto* label = new QLabel(text, window);
    label->setObjectName(QString::fromLatin1(name));
    PlaceInTwips(label, rect);
    // An installed face standing in for 宋体 can run a little wider than 宋体; a
    // label then grows to the right rather than cut its last character off.
    if (label->sizeHint().width() > label->width())
        label->resize(label->sizeHint().width(), label->height());
    return label;
}

QLineEdit* AddTextBox(QWidget* window, const char* name, const TwipsRect& rect) {
    auto* box = new QLineEdit(window);
    box->setObjectName(QString::fromLatin1(name));
    PlaceInTwips(box, rect);
    return box;
}

QPushButton* AddButton(QWidget* window, const char* name, const QString& text,
                       const TwipsRect& rect) {
    auto* button = new QPushButton(text, window);
    button->setObjectName(QString::fromLatin1(name));
    // Enter presses the focused button; none of these windows has a default button.
    button->setAutoDefault(true);
    PlaceInTwips(button, rect);
    return button;
}

}  // namespace heatnet
