#pragma once

namespace heatnet {

class TableEditorWindow;

// "管网图" of the table editor: opens the map of the network as typed (or brings
// the open one forward), which then follows every edit.
void OpenNetworkMap(TableEditorWindow& editor);

}  // namespace heatnet
