#pragma once
// The main window: a parent for one declaration window at a time, with the
// program's actions, menus, toolbar, status bar and the welcome tiles.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

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

enum class DeclarationKind { E1 = 1, E2 = 2 };

// How the main window makes its declaration windows and its later-coming
// windows. The program entry uses the defaults; tests replace pieces.
struct ShellHooks {
    // A new, empty declaration window of the kind; nullptr when the kind has
    // no window in this version.
    std::function<QWidget*(DeclarationKind, AppContext&)> createDeclarationWindow;
    // Reads the stored declaration of the tax number into the record and lets
    // the window show it, marked unchanged.
    std::function<void(QWidget*, DeclarationKind, AppContext&, const std::string& afm)>
        loadDeclaration;
    // Version check; manual = false is the silent start-up check.
    std::function<void(bool manual)> checkNewVersion;
    // The news window shown at the first activation while its marker exists.
    std::function<void()> showNews;

    static ShellHooks Defaults();
};

class TfiMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfiMain(AppContext& context, ShellHooks hooks = ShellHooks::Defaults(),
                     QWidget* parent = nullptr);
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
    ShellHooks hooks_;
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
