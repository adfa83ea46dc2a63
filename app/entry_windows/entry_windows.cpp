#include "app/entry_windows/entry_windows.h"

#include <QEvent>

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
    // A name that is no single file cannot be written either, and a file that
    // cannot be read must not be replaced by an empty network: no window opens.
    if (const ErrorMessage error = LoadBaseDataForEntry(chosenName, data_); !error.empty()) {
        dialogs_.ShowMessage(error, kApplicationTitle);
        return;
    }
    loaded_ = FormatBaseDataFile(data_);
    basic_ = new SRSJ0(data_, dialogs_);
    basic_->installEventFilter(this);
    basic_->StoreRecordWindowsWith([this] { return StoreRecordWindows(); });
    connect(basic_, &SRSJ0::pipeSegmentsRequested, this, &EntryWindows::OpenPipeSegmentWindow);
    connect(basic_, &SRSJ0::nodeLoadsRequested, this, &EntryWindows::OpenNodeLoadWindow);
    basic_->show();
}

// However the basic data window closes, the record windows close with it, so that
// nothing typed is left where no window writes it. 确定 has stored what they show
// and written the file; 取消 and the title bar first ask when anything is unsaved.
bool EntryWindows::eventFilter(QObject* watched, QEvent* event) {
    // The type first: a window being destroyed still sends events through this
    // filter, and comparing with basic_ would cast what is no longer an SRSJ0.
    if (event->type() != QEvent::Close || watched != basic_) return false;
    if (!basic_->ClosedByOk() && HoldsUnsavedValues() && !SavedOrNotWanted()) {
        event->ignore();
        return true;
    }
    if (pipes_) pipes_->close();
    if (loads_) loads_->close();
    return false;
}

// Values stored since the file was read (or the fill-in began without one) that
// change what 确定 would write, or boxes typed into and not stored yet.
bool EntryWindows::HoldsUnsavedValues() const {
    return FormatBaseDataFile(data_) != loaded_ || (IsOpen(basic_) && basic_->HoldsTypedValues()) ||
           (IsOpen(pipes_) && pipes_->HoldsTypedValues()) ||
           (IsOpen(loads_) && loads_->HoldsTypedValues());
}

// False when the windows are to stay open: Cancel, or a Yes that wrote no file.
bool EntryWindows::SavedOrNotWanted() {
    switch (dialogs_.AskYesNoCancel("数据已修改,是否存盘?", "确认")) {
    case WindowDialogs::YesNoCancel::No: return true;
    case WindowDialogs::YesNoCancel::Cancel: return false;
    case WindowDialogs::YesNoCancel::Yes: break;
    }
    return basic_->Save();
}

// Only what was typed: storing a record merely shown would turn the start node a
// new segment proposes into a segment of the file.
bool EntryWindows::StoreRecordWindows() {
    const auto stored = [](auto* window) {
        return !IsOpen(window) || !window->HoldsTypedValues() || window->StoreShownRecord();
    };
    return stored(pipes_.data()) && stored(loads_.data());
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
