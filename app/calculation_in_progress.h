#pragma once

#include <memory>

class QObject;

namespace heatnet {

// For as long as it lives, a calculation runs on the user-interface thread: every
// window shows the wait cursor, and clicks, keys and close requests meant for the
// windows wait until it has ended, so that no second command starts inside it.
// The calculation's own dialogs take their input as usual.
class CalculationInProgress {
public:
    CalculationInProgress();
    ~CalculationInProgress();
    CalculationInProgress(const CalculationInProgress&) = delete;
    CalculationInProgress& operator=(const CalculationInProgress&) = delete;

private:
    std::unique_ptr<QObject> inputHold_;
};

// Around a dialog that asks the person something: the wait cursor of a running
// calculation would cover the dialog as well, although it is waiting for an
// answer, so it shows the ordinary arrow until it closes.
class DialogCursor {
public:
    DialogCursor();
    ~DialogCursor();
    DialogCursor(const DialogCursor&) = delete;
    DialogCursor& operator=(const DialogCursor&) = delete;

private:
    bool overridden_ = false;
};

}  // namespace heatnet
