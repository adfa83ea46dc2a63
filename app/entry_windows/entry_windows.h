#pragma once

#include <string>

#include <QObject>
#include <QPointer>

#include "data/project_data.h"
#include "app/entry_windows/basic_data_window.h"
#include "app/entry_windows/node_load_window.h"
#include "app/entry_windows/pipe_segment_window.h"
#include "app/entry_windows/window_dialogs.h"

namespace heatnet {

// The entry windows of the fill-in in progress: at most one of each, all modeless
// and usable side by side.
class EntryWindows : public QObject {
    Q_OBJECT

public:
    EntryWindows(ProjectData& data, WindowDialogs& dialogs);
    ~EntryWindows() override;

    // Loads the chosen file as the defaults of data entry and opens the basic
    // data window on it; a file that cannot be read opens none. Windows of an
    // earlier fill-in close first (without storing or asking), so no window
    // shows values of another file.
    void StartFillIn(const std::string& chosenName);

    SRSJ0* BasicDataWindow() const { return basic_; }
    srsj* PipeSegmentWindow() const { return pipes_; }
    FHSR* NodeLoadWindow() const { return loads_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenPipeSegmentWindow();
    void OpenNodeLoadWindow();
    void CloseAll();
    bool HoldsUnsavedValues() const;
    bool SavedOrNotWanted();
    bool StoreRecordWindows();  // what they show and was typed, as moving on would

    ProjectData& data_;
    WindowDialogs& dialogs_;
    QPointer<SRSJ0> basic_;
    QPointer<srsj> pipes_;
    QPointer<FHSR> loads_;
    std::string loaded_;  // the record as the fill-in found it, in the file's form
};

}  // namespace heatnet
