#pragma once
// The real dialogs: Qt message boxes with Greek buttons, the desktop's
// default handler for documents and addresses, detached program start.
#include <QString>

#include "platform/modal_runner.h"
#include "platform/user_dialogs.h"

class QWidget;

namespace kestrana {

class QtUserDialogs : public UserDialogs, public ModalRunner {
public:
    // Boxes are modal to `parent` (application-modal when null) and carry
    // `title`; an empty title takes the application's display name.
    explicit QtUserDialogs(QWidget* parent = nullptr, QString title = {});

    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool OpenDocument(const std::string& pathOrUrl) override;
    bool StartProgram(const std::string& path) override;

    int Exec(QDialog& dialog) override;

private:
    QString Title() const;

    QWidget* parent_;
    QString title_;
};

}  // namespace kestrana
