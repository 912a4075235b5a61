#pragma once
// The news window: the maker's editorial page, shown at the first
// activation of the main window while the news marker exists.
#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>

class QCheckBox;
class QTextBrowser;

namespace kestrana {

struct Edition;
class UserDialogs;

class TfiPro : public QDialog {
    Q_OBJECT
public:
    // `page`: the editorial page as UTF-8 HTML, nullopt when it could not be
    // fetched (a short line is shown instead). `marker` is deleted on
    // "Έξοδος" when the tick box is ticked.
    TfiPro(const Edition& edition, UserDialogs& dialogs, const std::optional<std::string>& page,
           std::filesystem::path marker, QWidget* parent = nullptr);

private:
    void Exit();

    UserDialogs& dialogs_;
    std::filesystem::path marker_;
    QCheckBox* cbDontShow_;
};

}  // namespace kestrana
