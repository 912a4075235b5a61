#pragma once
// The one seam through which windows talk to the user and the desktop.
// The real implementation uses Qt message boxes ("Ναι"/"Όχι"); tests use
// ScriptedDialogs, which records every text and answers from a queue.
#include <string>

namespace kestrana {

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // Modal information box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // Modal error box (input/output errors, conversion errors).
    virtual void ShowError(const std::string& text) = 0;
    // Yes/No question; true for "Ναι".
    virtual bool AskYesNo(const std::string& text) = 0;
    // Opens a document or web address with its default handler.
    virtual bool OpenDocument(const std::string& pathOrUrl) = 0;
    // Starts a program; true when it could be started.
    virtual bool StartProgram(const std::string& path) = 0;
};

}  // namespace kestrana
