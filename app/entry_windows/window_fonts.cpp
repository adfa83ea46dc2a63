#include "app/entry_windows/window_fonts.h"

#include <QStringList>

namespace heatnet {
namespace {

// Installed Chinese faces that stand in for the Windows ones.
const QStringList kChineseFallbacks = {QStringLiteral("WenQuanYi Micro Hei"),
                                       QStringLiteral("Noto Sans CJK SC"),
                                       QStringLiteral("WenQuanYi Zen Hei")};

QFont Typeface(QStringList families, double pointSize) {
    families += kChineseFallbacks;
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    return font;
}

}  // namespace

QFont SongTypeface(double pointSize) {
    return Typeface({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun")},
                    pointSize);
}

QFont BlackTypeface(double pointSize) {
    return Typeface({QStringLiteral("黑体"), QStringLiteral("SimHei")}, pointSize);
}

QFont SansSerifTypeface(double pointSize) {
    return Typeface({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")},
                    pointSize);
}

}  // namespace heatnet
