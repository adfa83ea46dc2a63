#include "app/calculation_in_progress.h"

#include <utility>
#include <vector>

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace heatnet {
namespace {

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
}

CalculationInProgress::~CalculationInProgress() {
    QApplication::restoreOverrideCursor();
    inputHold_.reset();
}

DialogCursor::DialogCursor() : overridden_(QApplication::overrideCursor() != nullptr) {
    // Without a calculation there is nothing to undo, and the dialog's own cursors
    // (a text cursor over selectable text) stay as they are.
    if (overridden_) QApplication::setOverrideCursor(Qt::ArrowCursor);
}

DialogCursor::~DialogCursor() {
    if (overridden_) QApplication::restoreOverrideCursor();
}

}  // namespace heatnet
