#pragma once
// Dialogs for tests: every text shown is recorded in order with its kind,
// questions are answered from a queue, modal windows are handed to the
// test's callbacks instead of blocking in an event loop.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/modal_runner.h"
#include "platform/user_dialogs.h"

namespace kestrana {

enum class DialogKind { Message, Error, Question, OpenDocument, StartProgram, Modal };

struct ShownDialog {
    DialogKind kind;
    std::string text;  // message text, question, path, or the modal window's objectName
    bool operator==(const ShownDialog&) const = default;
};

class ScriptedDialogs : public UserDialogs, public ModalRunner {
public:
    using ModalAction = std::function<void(QDialog&)>;

    // Everything shown so far, in order.
    std::vector<ShownDialog> shown;

    // Answers for AskYesNo, taken from the front; `defaultAnswer` once empty.
    std::deque<bool> answers;
    bool defaultAnswer = false;

    // What OpenDocument and StartProgram report.
    bool openDocumentResult = true;
    bool startProgramResult = true;

    // Next modal window: the action runs on the shown dialog (clicks its
    // buttons, fills it, calls accept()); Exec returns the dialog's result.
    void ExpectModal(ModalAction action) { modalActions_.push_back(std::move(action)); }
    // Next modal window: returns `result` without touching the dialog.
    void ExpectModal(int result);
    // Result of a modal window nobody scripted (0, QDialog::Rejected).
    int defaultModalResult = 0;
    size_t PendingModals() const { return modalActions_.size(); }

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool OpenDocument(const std::string& pathOrUrl) override;
    bool StartProgram(const std::string& path) override;
    int Exec(QDialog& dialog) override;

    // Texts of one kind, in order.
    std::vector<std::string> TextsOf(DialogKind kind) const;
    // Every text, in order, whatever its kind.
    std::vector<std::string> Texts() const;
    void Clear() { shown.clear(); }

private:
    std::deque<ModalAction> modalActions_;
};

}  // namespace kestrana
