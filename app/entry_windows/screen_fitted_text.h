#pragma once

#include <QMessageBox>
#include <QString>

namespace heatnet {

// A message naming hundreds of segments would make a box taller than the screen,
// its buttons out of reach. Such a text is cut to what fits above the buttons,
// ending with "…", and the whole text goes into the box's details, shown open and
// scrollable. Texts that fit are set as they are.
void SetScreenFittedText(QMessageBox& box, const QString& text);

// The first characters of `text` that, wrapped at `width` in `font`, stay within
// `height`, followed by "…"; `text` itself when all of it does.
QString TextCutToHeight(const QString& text, const QFont& font, int width, int height);

}  // namespace heatnet
