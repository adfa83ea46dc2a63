#include "app/table_editor/table_network_map.h"

#include <QTimer>

#include "app/entry_windows/network_map_window.h"
#include "app/table_editor/table_document.h"
#include "app/table_editor/table_editor_window.h"

namespace heatnet {
namespace {

constexpr int kRedrawDelayMs = 300;  // a burst of typing redraws once

// The record as typed; a text that is not a number counts as an empty cell, and
// is named, so the rest of the network is still drawn.
EditedNetwork TypedNetwork(NetworkTable table) {
    EditedNetwork network;
    TableRefusal refusal;
    for (;;) {
        if (std::optional<ProjectData> data = ProjectDataFromTable(table, &refusal)) {
            network.data = std::make_unique<ProjectData>(std::move(*data));
            return network;
        }
        network.notes.push_back(refusal.message);
        if (refusal.grid == Grid::kBasic) table.basic[refusal.column].clear();
        else if (refusal.grid == Grid::kSegments) table.segments[refusal.row][refusal.column].clear();
        else table.loads[refusal.row][refusal.column].clear();
    }
}

}  // namespace

void OpenNetworkMap(TableEditorWindow& editor) {
    if (auto* open = editor.findChild<NetworkMapWindow*>()) {
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    TableDocument& document = editor.Document();
    auto* window = new NetworkMapWindow(QString::fromStdString(editor.FilePath()),
                                        [&document] { return TypedNetwork(document.Table()); }, &editor);
    auto* redraw = new QTimer(window);
    redraw->setSingleShot(true);
    redraw->setInterval(kRedrawDelayMs);
    QObject::connect(redraw, &QTimer::timeout, window, &NetworkMapWindow::Refresh);
    QObject::connect(&document, &TableDocument::problemsChanged, redraw, qOverload<>(&QTimer::start));
    window->show();
}

}  // namespace heatnet
