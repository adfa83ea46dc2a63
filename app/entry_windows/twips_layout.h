#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace heatnet {

// Entry windows are laid out in twips (1/1440 inch), converted at the screen's
// logical resolution so they keep their proportions on any display.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

int TwipsToPixels(int twips, int dotsPerInch);

void PlaceInTwips(QWidget* control, const TwipsRect& rect);
void SetClientSizeInTwips(QWidget* window, int width, int height);

// Children that carry their form name as object name, placed on `window`.
QLabel* AddLabel(QWidget* window, const char* name, const QString& text, const TwipsRect& rect);
QLineEdit* AddTextBox(QWidget* window, const char* name, const TwipsRect& rect);
QPushButton* AddButton(QWidget* window, const char* name, const QString& text,
                       const TwipsRect& rect);

}  // namespace heatnet
