#include "platform/modal_runner.h"

#include <QDialog>

namespace kestrana {

int QtModalRunner::Exec(QDialog& dialog) { return dialog.exec(); }

}  // namespace kestrana
