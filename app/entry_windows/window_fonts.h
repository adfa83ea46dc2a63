#pragma once

#include <QFont>

namespace heatnet {

// Fonts asked for by a list of families: a single missing family would fall back
// by locale and could pick Japanese glyph shapes for the Chinese texts.
QFont SongTypeface(double pointSize);   // 宋体, the face of every entry window
QFont BlackTypeface(double pointSize);  // 黑体, the title of the main window
QFont SansSerifTypeface(double pointSize);  // MS Sans Serif, the picker's panel

}  // namespace heatnet
