#include "app/results/picture_export.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace heatnet {
namespace {

const QSize kExportSize(1600, 1000);

}  // namespace

bool ExportPicture(const QString& path, const QString& documentTitle, const PictureRenderer& render) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "png") {
        QImage image(kExportSize, QImage::Format_ARGB32);
        image.setText("Title", documentTitle);
        QPainter painter(&image);
        render(painter, image.rect());
        painter.end();
        return image.save(path, "PNG");
    }
    if (suffix == "svg") {
        QSvgGenerator generator;
        generator.setFileName(path);
        generator.setSize(kExportSize);
        generator.setViewBox(QRect(QPoint(), kExportSize));
        generator.setTitle(documentTitle);
        QPainter painter;
        if (!painter.begin(&generator)) return false;
        render(painter, QRect(QPoint(), kExportSize));
        return painter.end();
    }
    if (suffix == "pdf") {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setResolution(96);  // so that pens and fonts keep their screen proportions
        writer.setTitle(documentTitle);
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        render(painter, QRect(0, 0, writer.width(), writer.height()));
        return painter.end();
    }
    return false;
}

void ExportPictureWithDialog(QWidget* parent, const QString& what, const QString& format,
                             const std::function<bool(const QString& path)>& exporter) {
    const QString filter = QString("%1 (*.%2)").arg(format.toUpper(), format);
    const QString caption = "导出" + what;
    QString path = QFileDialog::getSaveFileName(parent, caption, what + "." + format, filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += "." + format;
    if (!exporter(path)) QMessageBox::warning(parent, caption, "无法写入文件 " + path);
}

}  // namespace heatnet
