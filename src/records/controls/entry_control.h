#pragma once
// What the three entry controls share: the dialogs that report conversion
// errors, and which focus changes count as entering or leaving the box.
#include <QFocusEvent>

namespace kestrana {

class UserDialogs;

// Conversion errors go to `dialogs`; without one, to a Qt message box.
UserDialogs& DialogsOrDefault(UserDialogs* dialogs);

// Focus that moves because another window came up (a message box, a menu) or
// the window was switched away is not the user leaving the box; coming back
// is not entering it.
inline bool IsEnterOrLeave(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

}  // namespace kestrana
