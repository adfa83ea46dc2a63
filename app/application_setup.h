#pragma once

class QApplication;

namespace heatnet {

// Chinese standard buttons (Qt's own translations) and the 宋体 face as the
// default of every window and message box.
void PrepareApplication(QApplication& application);

}  // namespace heatnet
