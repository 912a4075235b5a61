#pragma once
// The windows of the version check: the version-check window (menu and
// start-up), the notice shown while a check runs, and the choice of how to
// install. They show what the check (update/check_new_version.h) tells them.
#include <QDialog>
#include <memory>

#include "update/check_new_version.h"
#include "update/window/transfer_panels.h"

class QLabel;
class QPushButton;

namespace kestrana {

struct Edition;

class TfiNewVer : public QDialog {
    Q_OBJECT
public:
    explicit TfiNewVer(QWidget* parent = nullptr);
    QPushButton* CheckButton() const { return btCheck_; }
    TransferPanels& Panels() { return panels_; }

private:
    QPushButton* btCheck_;
    TransferPanels panels_;
};

// Shown without blocking while a check runs.
class TfiNoConnection : public QDialog {
    Q_OBJECT
public:
    TfiNoConnection(const Edition& edition, QWidget* parent = nullptr);
    void SetDetails(const QString& text);
    TransferPanels& Panels() { return panels_; }

private:
    QLabel* lbDetails_;
    TransferPanels panels_;
};

class TfiDnld : public QDialog {
    Q_OBJECT
public:
    explicit TfiDnld(QWidget* parent = nullptr);
    InstallChoice Choice() const { return choice_; }

private:
    InstallChoice choice_ = InstallChoice::None;
};

}  // namespace kestrana
