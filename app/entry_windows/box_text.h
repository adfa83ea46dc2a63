#pragma once

#include <QLineEdit>
#include <QString>

#include "data/number.h"
#include "data/number_text.h"

namespace heatnet {

// The number a text box stands for: its text through TextToNumber, never unset.
inline double BoxValue(const QLineEdit* box) { return TextToNumber(box->text().toStdString()); }

inline QString BoxText(const Number& number) {
    return QString::fromStdString(NumberToBoxText(number));
}

}  // namespace heatnet
