#pragma once
// What the three entry controls share: the dialogs that report conversion
// errors, and which focus changes count as entering or leaving the box.
#include <QFocusEvent>

namespace kestrana {

// Focus that goes because another window came up (a message box, a menu) or
// the user switched windows is not the user leaving the box, and getting it
// back is not entering it. A window shown with the focus on the box is.
class FocusTracker {
public:
    bool Entering(const QFocusEvent* event) {
        const bool returning = away_ && (event->reason() == Qt::ActiveWindowFocusReason ||
                                         event->reason() == Qt::PopupFocusReason);
        away_ = false;
        return !returning;
    }
    bool Leaving(const QFocusEvent* event) {
        away_ = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
        return !away_;
    }

private:
    bool away_ = false;
};

}  // namespace kestrana
