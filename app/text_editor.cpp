#include "app/text_editor.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace heatnet {

bool StartTextEditor(const std::string& path) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(path)});
}

}  // namespace heatnet
