#include "app/application_setup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include "app/entry_windows/window_fonts.h"

namespace heatnet {

void PrepareApplication(QApplication& application) {
    auto* translator = new QTranslator(&application);
    // Without the translations the buttons read in English; everything else works.
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    QApplication::setFont(SongTypeface(9));
}

void LeaveUnusableStartingFolder() {
    const QString current = QDir::currentPath();
    if (current != QDir::rootPath() && QFileInfo(current).isWritable()) return;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir::setCurrent(!documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath());
}

}  // namespace heatnet
