#pragma once

#include <memory>

#include <QElapsedTimer>

#include "hydraulics/user_interaction.h"

class QObject;
class QProgressDialog;

namespace heatnet {

// For as long as it lives, a calculation runs on the user-interface thread: every
// window shows the wait cursor, and clicks, keys and close requests meant for the
// windows wait until it has ended, so that no second command starts inside it.
// The calculation's own dialogs take their input as usual, and so does its
// progress dialog, whose 取消 asks it to stop.
class CalculationInProgress {
public:
    CalculationInProgress();
    ~CalculationInProgress();
    CalculationInProgress(const CalculationInProgress&) = delete;
    CalculationInProgress& operator=(const CalculationInProgress&) = delete;

    // Lets the windows repaint and their timers run. Once the calculation has run
    // kProgressDelay, the progress dialog shows how far it has come and takes its
    // clicks meanwhile. False when the person has pressed 取消.
    static bool LetWindowsLive(const CalculationProgress& progress);

    static constexpr qint64 kProgressDelay = 1000;  // ms

private:
    friend class DialogCursor;
    void ShowProgress(const CalculationProgress& progress);

    std::unique_ptr<QObject> inputHold_;
    QElapsedTimer running_;
    std::unique_ptr<QProgressDialog> progress_;
    int passesShown_ = -1;
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
