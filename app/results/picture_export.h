#pragma once

#include <functional>

#include <QRect>
#include <QString>

class QPainter;
class QWidget;

namespace heatnet {

// Paints a picture into the given area of a painter.
using PictureRenderer = std::function<void(QPainter&, const QRect&)>;

// Writes a picture of the results window as PNG or SVG (1600 x 1000 pixels) or
// as a landscape A4 PDF, chosen by the path's suffix, with `documentTitle` as
// the file's own title; false for another suffix or a file that cannot be written.
bool ExportPicture(const QString& path, const QString& documentTitle, const PictureRenderer& render);

// Asks for a file name for the picture `what` ("水压图", "管网图") in `format`
// and writes it with `exporter`; a file that cannot be written is told.
void ExportPictureWithDialog(QWidget* parent, const QString& what, const QString& format,
                             const std::function<bool(const QString& path)>& exporter);

}  // namespace heatnet
