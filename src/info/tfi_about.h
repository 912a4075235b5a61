#pragma once
// The about window: the edition's version, the maker's logo (a link to the
// maker's site) and contact details.
#include <QDialog>

namespace kestrana {

struct Edition;
class ModalRunner;
class UserDialogs;

// The maker's web site, opened by the logo pictures here and in the main window.
inline constexpr char kMakerSite[] = "https://www.kestrana.gr/";

// The maker's logo, drawn at the given height.
QPixmap MakerLogo(int height);

class TfiAbout : public QDialog {
    Q_OBJECT
public:
    TfiAbout(const Edition& edition, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    UserDialogs& dialogs_;
};

// Shows the about window modally and destroys it.
void ShowAbout(const Edition& edition, UserDialogs& dialogs, ModalRunner& modal, QWidget* parent);

}  // namespace kestrana
