#pragma once

class QApplication;

namespace heatnet {

// Chinese standard buttons (Qt's own translations) and the 宋体 face as the
// default of every window and message box.
void PrepareApplication(QApplication& application);

// Started from the desktop menu the current folder is "/" or another the person
// cannot write to: the program then works from the documents folder (the home
// folder when there is none), so the picker and names without a folder land there.
void LeaveUnusableStartingFolder();

}  // namespace heatnet
