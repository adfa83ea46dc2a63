#include "app/table_editor/open_table_editors.h"

#include <QDir>
#include <QFileInfo>

#include "app/table_editor/table_document.h"
#include "data/application_texts.h"

namespace heatnet {
namespace {

QString Normalised(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    const QString canonical = file.canonicalFilePath();  // empty while the file does not exist
    return canonical.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : canonical;
}

// An empty text is an unset value, which the calculation reads as 0.
bool TextIs(const std::string& text, double value) {
    bool number = false;
    const double read = text.empty() ? 0 : QString::fromStdString(text).trimmed().toDouble(&number);
    return (number || text.empty()) && read == value;
}

void BringToFront(QWidget& window) {
    window.showNormal();
    window.raise();
    window.activateWindow();
}

}  // namespace

bool SameDataFile(const std::string& a, const std::string& b) { return Normalised(a) == Normalised(b); }

int SegmentRowOfEnds(TableEditorWindow& editor, double a, double b) {
    const auto& segments = editor.Document().Table().segments;
    for (size_t row = 0; row < segments.size(); ++row) {
        const std::string &start = segments[row][0], &end = segments[row][1];
        if ((TextIs(start, a) && TextIs(end, b)) || (TextIs(start, b) && TextIs(end, a))) return int(row);
    }
    return -1;
}

int LoadRowOfNode(TableEditorWindow& editor, double node) {
    const auto& loads = editor.Document().Table().loads;
    for (size_t row = 0; row < loads.size(); ++row)
        if (TextIs(loads[row][0], node)) return int(row);
    return -1;
}

std::string AlreadyInTableEditorMessage(const std::string& path) {
    return "文件 " + path + " 已在表格编辑中打开。";
}

OpenTableEditors::~OpenTableEditors() {
    for (const QPointer<TableEditorWindow>& window : windows_) delete window.data();
}

TableEditorWindow* OpenTableEditors::Open(const std::string& path) {
    if (TableEditorWindow* open = Find(path)) {
        BringToFront(*open);
        dialogs_.ShowMessage(AlreadyInTableEditorMessage(open->FilePath()), kApplicationTitle);
        return open;
    }
    auto* editor = new TableEditorWindow(path, dialogs_);
    if (!editor->Opened()) {
        delete editor;
        return nullptr;
    }
    windows_.removeAll(nullptr);
    windows_.append(editor);
    if (prepare_) prepare_(*editor);
    editor->show();
    return editor;
}

TableEditorWindow* OpenTableEditors::Find(const std::string& path) const {
    for (const QPointer<TableEditorWindow>& window : windows_)
        if (window && window->isVisible() && SameDataFile(window->FilePath(), path)) return window.data();
    return nullptr;
}

QList<TableEditorWindow*> OpenTableEditors::Windows() const {
    QList<TableEditorWindow*> open;
    for (const QPointer<TableEditorWindow>& window : windows_)
        if (window && window->isVisible()) open.append(window);
    return open;
}

}  // namespace heatnet
