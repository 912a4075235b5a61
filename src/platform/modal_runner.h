#pragma once
// Modal windows are run through this seam so that a test can drive them:
// the real runner calls exec(), ScriptedDialogs hands the shown dialog to a
// callback of the test instead of entering an event loop.
class QDialog;

namespace kestrana {

class UserDialogs;

class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    // Shows `dialog` modally and returns its result (QDialog::Accepted ...).
    virtual int Exec(QDialog& dialog) = 0;
};

// exec(), nothing else.
class QtModalRunner : public ModalRunner {
public:
    int Exec(QDialog& dialog) override;
};

// The runner that belongs to a dialogs object: QtUserDialogs and
// ScriptedDialogs are runners themselves; any other gets the real exec().
// Windows receive only AppContext::dialogs, so this is how they find it.
ModalRunner& ModalRunnerFor(UserDialogs& dialogs);

inline int RunModal(UserDialogs& dialogs, QDialog& dialog) {
    return ModalRunnerFor(dialogs).Exec(dialog);
}

}  // namespace kestrana
