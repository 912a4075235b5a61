#include "records/controls/entry_control.h"

#include "platform/qt_user_dialogs.h"

namespace kestrana {

UserDialogs& DialogsOrDefault(UserDialogs* dialogs) {
    if (dialogs) return *dialogs;
    static QtUserDialogs plain;  // holds no state beyond its (empty) title
    return plain;
}

}  // namespace kestrana
