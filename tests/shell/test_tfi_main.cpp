// The main window driven offscreen: enable rules, commands run by name,
// find-code across pages, delete-all, start-up markers and the copy, tiles.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <fstream>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "info/tfi_about.h"
#include "platform/app_context.h"
#include "platform/scripted_dialogs.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "shell/tfi_main.h"

namespace fs = std::filesystem;
using namespace kestrana;

namespace {

// A declaration window as the main window sees one: named commands, and for
// E1 the page control with a field on each page.
QWidget* FakeDeclaration(DeclarationKind kind, int* counter) {
    auto* w = new QWidget;
    w->setObjectName(kind == DeclarationKind::E1 ? "fiE1" : "fiE2");
    for (const char* name : {"miSave", "miSaveAs", "miPrint", "miEka2003"}) {
        auto* a = new QAction(name, w);
        a->setObjectName(name);
        QObject::connect(a, &QAction::triggered, w, [w, counter, name] {
            w->setProperty(name, w->property(name).toInt() + 1);
            ++*counter;
        });
    }
    auto* pages = new QTabWidget(w);
    pages->setObjectName("PageControl");
    for (int p = 1; p <= 4; ++p) {
        auto* scroll = new QScrollArea;
        scroll->setObjectName(QString("sbPage%1").arg(p));
        auto* inner = new QWidget;
        inner->resize(900, 1200);
        scroll->setWidget(inner);
        pages->addTab(scroll, QString::number(p));
        if (kind != DeclarationKind::E1) continue;
        auto* field = new QLineEdit(inner);
        field->setObjectName(QString("edP%1").arg(100 * p + 1));
        field->move(10, 1000);
    }
    if (kind == DeclarationKind::E1) {
        auto* box = new QCheckBox(static_cast<QScrollArea*>(pages->widget(2))->widget());
        box->setObjectName("cbP327");
    }
    return w;
}

// A declaration window that, like the E1 window whose save failed, may
// refuse to close.
class ClosingDeclaration : public QWidget {
public:
    explicit ClosingDeclaration(int* asked, bool* refuse) : asked_(asked), refuse_(refuse) {
        setObjectName("fiE1");
    }

protected:
    void closeEvent(QCloseEvent* e) override {
        ++*asked_;
        if (*refuse_) e->ignore();
    }

private:
    int* asked_;
    bool* refuse_;
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("kestrana_main_" + std::string(::testing::UnitTest::GetInstance()
                                                                             ->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder / "Tables");
        previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder.string()));
        qputenv("KESTRANA_PROGRAMFILESDIR", QByteArray::fromStdString((folder / "pf").string()));

        ShellHooks hooks;
        hooks.createDeclarationWindow = [this](DeclarationKind kind, AppContext&) -> QWidget* {
            if (closingDeclaration) return new ClosingDeclaration(&closeAsked, &refuseClose);
            return FakeDeclaration(kind, &commands);
        };
        hooks.checkNewVersion = [this](bool manual) { checks.push_back(manual); };
        window = std::make_unique<TfiMain>(context, hooks);
        window->show();
    }
    void TearDown() override {
        window.reset();
        QDir::setCurrent(previous);
        fs::remove_all(folder);
    }
    bool Enabled(const char* name) { return window->Action(name)->isEnabled(); }
    QWidget* Welcome() { return window->findChild<QWidget*>("MainPanel1"); }
    bool WelcomeShown() {
        return window->findChild<QStackedWidget*>()->currentWidget() == Welcome();
    }
    bool FindBoxShown() {
        auto* bar = window->findChild<QToolBar*>("ToolBar1");
        for (QAction* a : bar->actions())
            if (bar->widgetForAction(a) == window->findChild<QLineEdit*>("edFind")) return a->isVisible();
        return false;
    }

    ScriptedDialogs dialogs;
    E1Record e1;
    E2Record e2;
    EngineState engine;
    AppContext context{Edition2019(), dialogs, e1, e2, engine};
    std::unique_ptr<TfiMain> window;
    int commands = 0;
    bool closingDeclaration = false;
    int closeAsked = 0;
    bool refuseClose = false;
    std::vector<bool> checks;
    fs::path folder;
    QString previous;
};

TEST_F(MainWindow, EnableRulesFollowTheOpenDeclaration) {
    const char* opening[] = {"acE1", "acE2", "acFastEntry", "acLoadE1", "acLoadE2"};
    const char* working[] = {"acSave", "acSaveAs", "acPrint", "acEka"};
    for (const char* a : opening) EXPECT_TRUE(Enabled(a)) << a;
    for (const char* a : working) EXPECT_FALSE(Enabled(a)) << a;
    EXPECT_TRUE(WelcomeShown());
    EXPECT_FALSE(window->statusBar()->isVisible());
    EXPECT_FALSE(FindBoxShown());

    window->Action("acE1")->trigger();
    ASSERT_NE(window->ActiveDeclaration(), nullptr);
    for (const char* a : opening) EXPECT_FALSE(Enabled(a)) << a;
    for (const char* a : working) EXPECT_TRUE(Enabled(a)) << a;
    EXPECT_FALSE(WelcomeShown());
    EXPECT_TRUE(window->statusBar()->isVisible());
    EXPECT_TRUE(FindBoxShown());
    EXPECT_TRUE(Enabled("acEmptyFiles"));
    EXPECT_TRUE(Enabled("acExit"));

    // One declaration window at a time.
    window->NewDeclaration(DeclarationKind::E2);
    EXPECT_EQ(window->MdiArea()->subWindowList().size(), 1);

    window->ActiveDeclaration()->parentWidget()->close();
    QApplication::processEvents();
    window->ActionsUpdate();
    EXPECT_EQ(window->ActiveDeclaration(), nullptr);
    EXPECT_TRUE(Enabled("acE1"));
    EXPECT_TRUE(WelcomeShown());
}

TEST_F(MainWindow, CommandsRunInTheActiveWindowByName) {
    window->Action("acE1")->trigger();
    QWidget* e1Window = window->ActiveDeclaration();
    window->Action("acSave")->trigger();
    window->Action("acSaveAs")->trigger();
    window->Action("acPrint")->trigger();
    window->Action("acEka")->trigger();
    for (const char* name : {"miSave", "miSaveAs", "miPrint", "miEka2003"})
        EXPECT_EQ(e1Window->property(name).toInt(), 1) << name;
    e1Window->parentWidget()->close();
    QApplication::processEvents();

    // F8 does nothing while the E2 window is active.
    window->Action("acE2")->trigger();
    QWidget* e2Window = window->ActiveDeclaration();
    ASSERT_EQ(e2Window->objectName(), "fiE2");
    window->ActionsUpdate();
    EXPECT_FALSE(Enabled("acEka"));
    EXPECT_FALSE(FindBoxShown());
    window->Action("acEka")->setEnabled(true);  // even if it were triggered
    window->Action("acEka")->trigger();
    EXPECT_EQ(e2Window->property("miEka2003").toInt(), 0);
    window->Action("acSave")->trigger();
    EXPECT_EQ(e2Window->property("miSave").toInt(), 1);
}

TEST_F(MainWindow, FindCodeSwitchesThePageAndFocusesTheField) {
    window->Action("acE1")->trigger();
    QApplication::setActiveWindow(window.get());
    QWidget* e1Window = window->ActiveDeclaration();
    auto* pages = e1Window->findChild<QTabWidget*>("PageControl");
    ASSERT_EQ(pages->currentIndex(), 0);

    // Enter in the find box runs it.
    auto* find = window->findChild<QLineEdit*>("edFind");
    find->setText("301");
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(pages->currentIndex(), 2);
    EXPECT_EQ(find->text(), "301");  // Enter adds nothing
    EXPECT_EQ(QApplication::focusWidget(), e1Window->findChild<QWidget*>("edP301"));

    EXPECT_TRUE(window->FindCode("327"));  // a tick box
    EXPECT_EQ(pages->currentIndex(), 2);
    EXPECT_TRUE(window->FindCode("401"));
    EXPECT_EQ(pages->currentIndex(), 3);

    // Unknown codes and texts that are not exactly a field's code change nothing.
    for (const char* code : {"999", " 401", "", "40"}) {
        EXPECT_FALSE(window->FindCode(code)) << code;
        EXPECT_EQ(pages->currentIndex(), 3);
    }
}

TEST_F(MainWindow, FindCodeDoesNothingWithTheE2Window) {
    window->Action("acE2")->trigger();
    auto* pages = window->ActiveDeclaration()->findChild<QTabWidget*>("PageControl");
    EXPECT_FALSE(window->FindCode("301"));
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(MainWindow, DeleteAllAsksAndKeepsOtherFiles) {
    for (const char* name : {"E1123456789.dta", "E2123456789.dta", "Doys.txt"})
        std::ofstream(folder / "Tables" / name) << "x";
    dialogs.answers = {false, true};
    window->Action("acEmptyFiles")->trigger();
    EXPECT_TRUE(fs::exists(folder / "Tables" / "E1123456789.dta"));
    window->Action("acEmptyFiles")->trigger();
    EXPECT_FALSE(fs::exists(folder / "Tables" / "E1123456789.dta"));
    EXPECT_FALSE(fs::exists(folder / "Tables" / "E2123456789.dta"));
    EXPECT_TRUE(fs::exists(folder / "Tables" / "Doys.txt"));
    const std::string question =
        "Να γίνει διαγραφή όλων των αρχείων;  Προσοχή με την επιλογή αυτή διαγράφονται όλες οι δηλώσεις.";
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Question), (std::vector<std::string>{question, question}));
    EXPECT_TRUE(dialogs.TextsOf(DialogKind::Message).empty());
}

TEST_F(MainWindow, StartUpSetsCaptionTickAndCopiesOnce) {
    std::ofstream(folder / "Autocheck19.ini") << "Not OK\r\n";
    window->StartUp();
    EXPECT_EQ(window->windowTitle(), QString("ΚΕΣΤΡΑΝΑ 2019 (ver 2.00)"));
    EXPECT_TRUE(window->FirstActivationPending());
    QAction* autoCheck = window->findChild<QAction*>("miAutoCheck");
    EXPECT_FALSE(autoCheck->isChecked());
    EXPECT_TRUE(fs::exists(folder / "DoneCopy.txt"));  // not in the suite folder: marker only
    window->AutomaticCheck();
    EXPECT_TRUE(checks.empty());  // no check while the marker exists

    autoCheck->trigger();  // ticks it
    EXPECT_TRUE(autoCheck->isChecked());
    EXPECT_FALSE(fs::exists(folder / "Autocheck19.ini"));
    window->AutomaticCheck();
    EXPECT_EQ(checks, std::vector<bool>{false});
    autoCheck->trigger();
    EXPECT_FALSE(autoCheck->isChecked());
    EXPECT_TRUE(fs::exists(folder / "Autocheck19.ini"));

    window->findChild<QAction*>("miNewVersion")->trigger();
    EXPECT_EQ(checks, (std::vector<bool>{false, true}));
}

TEST_F(MainWindow, EmptyIndexSaysSoAndOpensNothing) {
    window->Action("acLoadE1")->trigger();
    window->Action("acLoadE2")->trigger();
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Message),
              (std::vector<std::string>{"Δεν υπάρχει καταχωρημένη καμία δήλωση.",
                                        "Δεν υπάρχει καταχωρημένη καμία δήλωση."}));
    EXPECT_EQ(window->ActiveDeclaration(), nullptr);
    EXPECT_EQ(dialogs.PendingModals(), 0u);
}

TEST_F(MainWindow, TilePressLooksPressedAndReleaseRunsTheCommand) {
    window->resize(1200, 800);
    QApplication::processEvents();
    auto* frame = window->findChild<QWidget*>("P1F");
    auto* picture = window->findChild<QLabel*>("imgP1");
    const QPoint at = frame->pos();
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(frame->pos(), at + QPoint(4, 4));
    EXPECT_EQ(frame->backgroundRole(), QPalette::ToolTipBase);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(frame->pos(), at);
    EXPECT_EQ(frame->backgroundRole(), QPalette::Highlight);
    QApplication::processEvents();
    ASSERT_NE(window->ActiveDeclaration(), nullptr);
    EXPECT_EQ(window->ActiveDeclaration()->objectName(), "fiE1");
}

TEST_F(MainWindow, MenusInOrder) {
    QStringList menus;
    for (QAction* a : window->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"Αρχείο", "Φυσικά Πρόσωπα", "Ακίνητα", "Βοηθητικά"}));
    QStringList tools;
    for (QAction* a : window->menuBar()->actions()[3]->menu()->actions()) tools << (a->isSeparator() ? "—" : a->text());
    EXPECT_EQ(tools, (QStringList{"Διαγραφή Αρχείων", "—", "Φυλλάδιο οδηγιών", "—",
                                  "Πληροφορίες για το \"ΚΕΣΤΡΑΝΑ 2019\"", "—", "Έλεγχος Νέας Έκδοσης",
                                  "Αυτόματος έλεγχος νέων εκδόσεων κατα την εκκίνηση"}));
    window->menuBar()->actions()[3]->menu()->actions()[2]->trigger();
    EXPECT_EQ(dialogs.TextsOf(DialogKind::OpenDocument).back(), (folder / "filadio2019.pdf").string());
    EXPECT_EQ(window->Action("acSave")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(window->Action("acEka")->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_EQ(window->Action("acExit")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
}

TEST_F(MainWindow, ExitClosesTheOpenDeclarationFirst) {
    closingDeclaration = true;
    window->Action("acE1")->trigger();
    ASSERT_NE(window->ActiveDeclaration(), nullptr);
    // The declaration keeps itself open: so does the program.
    refuseClose = true;
    window->Action("acExit")->trigger();
    EXPECT_EQ(closeAsked, 1);
    EXPECT_TRUE(window->isVisible());
    refuseClose = false;
    window->Action("acExit")->trigger();
    EXPECT_EQ(closeAsked, 2);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, AboutShowsTheEditionAndClosesOnItsButton) {
    struct Case { const Edition& edition; const char* caption; const char* version; };
    const Case cases[] = {
        {Edition2019(), "Πληροφορίες για το \" Κεστράνα 2019\"", "ΚΕΣΤΡΑΝΑ 2019 (ver 2.00)"},
        {Edition2018(), "Πληροφορίες για το \" Κεστράνα 2018\"", "ΚΕΣΤΡΑΝΑ 2018 (ver 6.00)"},
    };
    for (const Case& c : cases) {
        TfiAbout about(c.edition, dialogs);
        EXPECT_EQ(about.windowTitle(), QString(c.caption));
        EXPECT_EQ(about.findChild<QLabel*>("lbVersion")->text(), QString(c.version));
    }
    // From the menu: modal, the logo opens the maker's site, "Κλείσιμο" closes.
    dialogs.ExpectModal([](QDialog& d) {
        QTest::mouseClick(d.findChild<QLabel*>("imLogo1"), Qt::LeftButton);
        auto* close = d.findChild<QPushButton*>("btClose");
        ASSERT_EQ(close->text(), QString("Κλείσιμο"));
        close->click();
        EXPECT_FALSE(d.isVisible());
    });
    window->findChild<QAction*>("miAbout")->trigger();
    EXPECT_EQ(dialogs.PendingModals(), 0u);
    EXPECT_EQ(dialogs.TextsOf(DialogKind::OpenDocument), std::vector<std::string>{kMakerSite});
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
