#include "app/calculation_in_progress.h"

#include <utility>
#include <vector>

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <QWindow>

#include "data/application_texts.h"

namespace heatnet {
namespace {

// There is at most one: input waits while it runs, so no second one starts.
CalculationInProgress* running = nullptr;

// What can start a command. Input from the window system waits by itself while
// the calculation lets events through, as it excludes user input, and while one
// of its dialogs is open Qt keeps it from every other window; posted and sent
// input would be delivered all the same. Moves, hovers and enter/leave start
// nothing and pass.
bool StartsSomething(const QObject& receiver, const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    case QEvent::Close:
        // The window manager's close button is no user input to Qt and would be
        // handled at once: the main window would vanish while the calculation
        // goes on. Held where the window system delivers it, to the native window;
        // the widget's close event that follows only asks, and delivered later on
        // its own it would close nothing. A window the program closes itself
        // comes this way too and would wait as well; nothing the calculation
        // does closes a window but its own dialogs, which pass.
        return event.spontaneous() && receiver.isWindowType();
    default:
        return false;
    }
}

// The dialogs the calculation opens are modal and must be answerable; Qt itself
// keeps window-system input away from every other window while one is open.
bool BelongsToOpenDialog(QObject* receiver) {
    const QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return false;
    for (QObject* object = receiver; object; object = object->parent())
        if (object == dialog || object == dialog->windowHandle()) return true;
    return false;
}

class InputHold : public QObject {
public:
    InputHold() { QCoreApplication::instance()->installEventFilter(this); }

    ~InputHold() override {
        QCoreApplication::instance()->removeEventFilter(this);
        // Posted, not sent: they arrive once control is back in the event loop,
        // after whatever the calculation's command still does on its way out.
        for (auto& [receiver, event] : held_)
            if (receiver) QCoreApplication::postEvent(receiver, event.release());
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!StartsSomething(*receiver, *event) || BelongsToOpenDialog(receiver)) return false;
        held_.emplace_back(receiver, std::unique_ptr<QEvent>(event->clone()));
        // A close request answered as refused for now; the window system must not
        // take the window away itself.
        if (event->type() == QEvent::Close) event->ignore();
        return true;
    }

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};

}  // namespace

CalculationInProgress::CalculationInProgress() : inputHold_(std::make_unique<InputHold>()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    running_.start();
    running = this;
}

CalculationInProgress::~CalculationInProgress() {
    running = nullptr;
    progress_.reset();
    QApplication::restoreOverrideCursor();
    inputHold_.reset();
}

bool CalculationInProgress::LetWindowsLive(const CalculationProgress& progress) {
    if (running && running->running_.elapsed() >= kProgressDelay) running->ShowProgress(progress);
    QProgressDialog* dialog = running ? running->progress_.get() : nullptr;
    // Window-system input reaches the progress dialog alone: Qt keeps it from the
    // other windows while a modal dialog is open, and the hold catches the rest.
    QCoreApplication::processEvents(dialog && dialog->isVisible()
                                        ? QEventLoop::AllEvents
                                        : QEventLoop::ExcludeUserInputEvents);
    return !(dialog && dialog->wasCanceled());
}

void CalculationInProgress::ShowProgress(const CalculationProgress& progress) {
    if (!progress_) {
        // No total is known before the sizing ends: a busy bar and the passes so far.
        progress_ = std::make_unique<QProgressDialog>(QString(), "取消", 0, 0);
        progress_->setWindowTitle(kApplicationTitle);
        progress_->setWindowModality(Qt::ApplicationModal);
        // Its own timer would show it again after a message had hidden it.
        progress_->setMinimumDuration(0);
        // Esc and the title bar's close button stop the calculation as 取消 does.
        QObject::connect(progress_.get(), &QDialog::rejected, progress_.get(), &QProgressDialog::cancel);
    }
    if (progress_->wasCanceled()) return;
    if (progress.sizingPasses != passesShown_) {
        progress_->setLabelText(QString("正在选择管径:已完成%1遍").arg(progress.sizingPasses));
        passesShown_ = progress.sizingPasses;
    }
    progress_->show();
}

DialogCursor::DialogCursor() : overridden_(QApplication::overrideCursor() != nullptr) {
    // Without a calculation there is nothing to undo, and the dialog's own cursors
    // (a text cursor over selectable text) stay as they are.
    if (overridden_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    // The progress dialog would sit beside a question about the calculation's
    // results; it comes back with the next progress.
    if (running && running->progress_) running->progress_->hide();
}

DialogCursor::~DialogCursor() {
    if (overridden_) QApplication::restoreOverrideCursor();
}

}  // namespace heatnet
