#include "platform/modal_runner.h"

#include <QDialog>

#include "platform/user_dialogs.h"

namespace kestrana {

int QtModalRunner::Exec(QDialog& dialog) { return dialog.exec(); }

ModalRunner& ModalRunnerFor(UserDialogs& dialogs) {
    if (auto* runner = dynamic_cast<ModalRunner*>(&dialogs)) return *runner;
    static QtModalRunner plain;  // stateless
    return plain;
}

}  // namespace kestrana
