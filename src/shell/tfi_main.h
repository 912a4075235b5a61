#pragma once
// The main window: a parent for one declaration window at a time, with the
// program's actions, menus, toolbar, status bar and the welcome tiles.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "records/declaration_kind.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QPrinter;
class QStackedWidget;

namespace kestrana {

struct AppContext;

class TfiMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfiMain(AppContext& context, QWidget* parent = nullptr);
    ~TfiMain() override;

    // Caption, automatic-check tick, first-activation flag, one-time copy.
    void StartUp();
    // The silent version check of start-up, unless its marker exists.
    void AutomaticCheck();

    // Enable rules; also run whenever the window set changes.
    void ActionsUpdate();
    // Jumps to the E1 field of the code; false when nothing was found.
    bool FindCode(const QString& code);

    // Opens the chosen stored declaration through the index.
    void LoadDeclaration(DeclarationKind kind);
    // A new, empty declaration window.
    QWidget* NewDeclaration(DeclarationKind kind);

    // The active declaration window (the widget inside the MDI child), or nullptr.
    QWidget* ActiveDeclaration() const;
    QMdiArea* MdiArea() const { return mdi_; }
    QAction* Action(const QString& name) const;

    bool KeepRunning() const { return keepRunning_; }
    // Only the online update hands over to an installer or the browser.
    void StopRunning() { keepRunning_ = false; }
    bool FirstActivationPending() const { return firstActivationPending_; }

    // Holds the copies and the printer of every print run.
    QPrinter& PrintSetup() { return *printer_; }

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QWidget* CreateWelcomePanel();
    QAction* MakeAction(const char* name, const QString& caption, const QString& hint);
    QAction* MenuItem(QAction* action, const QString& caption);
    void RunChildCommand(const char* name);
    void EmptyFiles();
    void ToggleAutoCheck(bool ticked);
    void CheckNewVersionManually();
    void OpenLeaflet();
    void ShowAbout();
    void FastEntry();
    void PlaceTiles();
    void HighlightAllTiles();
    QMdiSubWindow* AddDeclarationWindow(QWidget* window);

    AppContext& context_;
    bool keepRunning_ = true;
    bool firstActivationPending_ = false;
    bool destroying_ = false;
    QMdiArea* mdi_ = nullptr;
    QStackedWidget* centre_ = nullptr;
    QWidget* welcome_ = nullptr;
    QLineEdit* edFind_ = nullptr;
    QAction* edFindAction_ = nullptr;
    QAction* miAutoCheck_ = nullptr;
    QFrame* tileFrames_[3] = {};
    QFrame* tileShadows_[3] = {};
    QLabel* tilePictures_[3] = {};
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace kestrana
