#pragma once
// Modal windows are run through this seam so that a test can drive them:
// the real runner calls exec(), ScriptedDialogs hands the shown dialog to a
// callback of the test instead of entering an event loop. The runner in use
// is the application's (AppContext::modal).
class QDialog;

namespace kestrana {

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

}  // namespace kestrana
