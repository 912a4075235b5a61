#include "platform/scripted_dialogs.h"

#include <QApplication>
#include <QDialog>

namespace kestrana {

void ScriptedDialogs::ShowMessage(const std::string& text) { shown.push_back({DialogKind::Message, text}); }

void ScriptedDialogs::ShowError(const std::string& text) { shown.push_back({DialogKind::Error, text}); }

bool ScriptedDialogs::AskYesNo(const std::string& text) {
    shown.push_back({DialogKind::Question, text});
    if (answers.empty()) return defaultAnswer;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedDialogs::OpenDocument(const std::string& pathOrUrl) {
    shown.push_back({DialogKind::OpenDocument, pathOrUrl});
    return openDocumentResult;
}

bool ScriptedDialogs::StartProgram(const std::string& path) {
    shown.push_back({DialogKind::StartProgram, path});
    return startProgramResult;
}

void ScriptedDialogs::ExpectModal(int result) {
    modalActions_.push_back([result](QDialog& dialog) { dialog.done(result); });
}

int ScriptedDialogs::Exec(QDialog& dialog) {
    shown.push_back({DialogKind::Modal, dialog.objectName().toStdString()});
    // As exec() does: start from Rejected, keep the dialog alive until the
    // result is read, show it and let pending events settle.
    const bool deleteOnClose = dialog.testAttribute(Qt::WA_DeleteOnClose);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.setResult(0);
    dialog.show();
    QApplication::processEvents();
    if (modalActions_.empty()) {
        dialog.done(defaultModalResult);
    } else {
        ModalAction action = std::move(modalActions_.front());
        modalActions_.pop_front();
        action(dialog);
        QApplication::processEvents();
    }
    int result = dialog.result();
    dialog.hide();
    if (deleteOnClose) dialog.deleteLater();
    return result;
}

std::vector<std::string> ScriptedDialogs::TextsOf(DialogKind kind) const {
    std::vector<std::string> out;
    for (const auto& s : shown)
        if (s.kind == kind) out.push_back(s.text);
    return out;
}

std::vector<std::string> ScriptedDialogs::Texts() const {
    std::vector<std::string> out;
    for (const auto& s : shown) out.push_back(s.text);
    return out;
}

}  // namespace kestrana
