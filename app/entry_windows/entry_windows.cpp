#include "app/entry_windows/entry_windows.h"

#include "data/base_data_file.h"
#include "app/entry_windows/load_base_data_for_entry.h"
#include "data/application_texts.h"

namespace heatnet {
namespace {

// A window closed a moment ago still exists until its deletion comes round.
bool IsOpen(const QWidget* window) { return window && window->isVisible(); }

// Brings an open window to the front instead of opening a second one.
void Raise(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

EntryWindows::EntryWindows(ProjectData& data, WindowDialogs& dialogs)
    : data_(data), dialogs_(dialogs) {}

EntryWindows::~EntryWindows() { CloseAll(); }

void EntryWindows::CloseAll() {
    delete basic_;
    delete pipes_;
    delete loads_;
}

void EntryWindows::StartFillIn(const std::string& chosenName) {
    CloseAll();
    const ErrorMessage error = LoadBaseDataForEntry(chosenName, data_);
    if (!error.empty()) dialogs_.ShowMessage(error, kApplicationTitle);
    // A name that is no single file cannot be written either; an unreadable file
    // leaves the record as it was, and the fill-in goes on from there.
    if (HasWildcard(chosenName)) return;
    basic_ = new SRSJ0(data_, dialogs_);
    connect(basic_, &SRSJ0::pipeSegmentsRequested, this, &EntryWindows::OpenPipeSegmentWindow);
    connect(basic_, &SRSJ0::nodeLoadsRequested, this, &EntryWindows::OpenNodeLoadWindow);
    basic_->show();
}

void EntryWindows::OpenPipeSegmentWindow() {
    if (!IsOpen(pipes_)) pipes_ = new srsj(data_, dialogs_);
    Raise(pipes_);
}

void EntryWindows::OpenNodeLoadWindow() {
    if (!IsOpen(loads_)) loads_ = new FHSR(data_, dialogs_);
    Raise(loads_);
}

}  // namespace heatnet
