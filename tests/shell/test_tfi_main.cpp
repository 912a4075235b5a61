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
#include <map>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "info/tfi_about.h"
#include "platform/app_context.h"
#include "platform/scripted_dialogs.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "e1/window/tfi_e1.h"
#include "printing/print_service.h"
#include "shell/tfi_main.h"
#include "support/test_context.h"
#include "update/update_service.h"

namespace fs = std::filesystem;
using namespace kestrana;

namespace {

// Counts what the main window asks of the online update.
class CountingUpdate : public UpdateService {
public:
    bool CheckNewVersion(bool manual, QWidget*) override {
        checks.push_back(manual);
        return keepRunning;
    }
    void ShowNews(QWidget*) override { ++news; }
    std::vector<bool> checks;
    bool keepRunning = true;
    int news = 0;
};

// Counts the print requests of the declaration windows.
class CountingPrint : public PrintService {
public:
    void PrintDeclaration(DeclarationKind kind, QWidget*) override { declarations.push_back(kind); }
    void PrintCars(QWidget*) override { ++cars; }
    void PrintStatement(TfiEka&, bool) override { ++statements; }
    std::vector<DeclarationKind> declarations;
    int cars = 0, statements = 0;
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder / "Tables");
        qputenv("KESTRANA_PROGRAMFILESDIR", QByteArray::fromStdString((folder / "pf").string()));
        context.update = &update;
        context.printing = &printing;
        window = std::make_unique<TfiMain>(context);
        window->show();
    }
    void TearDown() override {
        window.reset();
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

    fs::path folder = fs::temp_directory_path() /
                      ("kestrana_main_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    TestContext tc{Edition2019(), folder.string()};
    ScriptedDialogs& dialogs = tc.dialogs;
    AppContext& context = tc.context;
    CountingUpdate update;
    CountingPrint printing;
    std::unique_ptr<TfiMain> window;
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
    EXPECT_EQ(window->NewDeclaration(DeclarationKind::E1), nullptr);
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
    auto* e1Window = qobject_cast<TfiE1*>(window->ActiveDeclaration());
    ASSERT_NE(e1Window, nullptr);
    e1Window->Edit("edAFM")->setText("123456789");
    window->Action("acSave")->trigger();
    EXPECT_TRUE(fs::exists(folder / "Tables" / "E1123456789.dta"));
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Message), std::vector<std::string>{kSavedMessage});
    dialogs.answers = {true};
    window->Action("acSaveAs")->trigger();
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Question), std::vector<std::string>{kOverwriteQuestion});
    window->Action("acPrint")->trigger();
    EXPECT_EQ(printing.declarations, std::vector<DeclarationKind>{DeclarationKind::E1});
    window->Action("acEka")->trigger();
    ASSERT_EQ(tc.statements.opened.size(), 1u);
    EXPECT_EQ(tc.statements.opened[0].taxNumber, "123456789");
}

// Find-code on the real E1 window: the page of the box is shown, the box
// scrolled into view and focused.
TEST_F(MainWindow, FindCodeSwitchesThePageAndFocusesTheField) {
    window->Action("acE1")->trigger();
    QApplication::setActiveWindow(window.get());
    auto* e1Window = qobject_cast<TfiE1*>(window->ActiveDeclaration());
    ASSERT_NE(e1Window, nullptr);
    QTabWidget* pages = e1Window->Pages();
    ASSERT_EQ(pages->currentIndex(), 0);

    // Enter in the find box runs it.
    auto* find = window->findChild<QLineEdit*>("edFind");
    find->setText("401");
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_EQ(find->text(), "401");  // Enter adds nothing
    EXPECT_EQ(QApplication::focusWidget(), e1Window->Control("edP401"));

    struct Case { const char* code; int page; const char* box; };
    const Case cases[] = {{"327", 0, "cbP327"}, {"301", 0, "edP301"}, {"851", 2, "edP851"},
                          {"205", 2, "edP205"}, {"003", 3, "edP003"}, {"931", 4, "edP931"}};
    for (const Case& c : cases) {
        EXPECT_TRUE(window->FindCode(c.code)) << c.code;
        EXPECT_EQ(pages->currentIndex(), c.page) << c.code;
        EXPECT_EQ(QApplication::focusWidget(), e1Window->Control(c.box)) << c.code;
        if (c.page < 4) {
            QWidget* box = e1Window->Control(c.box);
            const QRect shown = e1Window->PageScroll(c.page + 1)->viewport()->rect();
            const QPoint at = box->mapTo(e1Window->PageScroll(c.page + 1)->viewport(), QPoint(0, 0));
            EXPECT_TRUE(shown.contains(at)) << c.code;
        }
    }

    // Unknown codes, hidden boxes and texts that are not exactly a field's code change nothing.
    for (const char* code : {"999", "093", " 401", "", "40"}) {
        EXPECT_FALSE(window->FindCode(code)) << code;
        EXPECT_EQ(pages->currentIndex(), 4) << code;
    }
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
    EXPECT_TRUE(update.checks.empty());  // no check while the marker exists

    autoCheck->trigger();  // ticks it
    EXPECT_TRUE(autoCheck->isChecked());
    EXPECT_FALSE(fs::exists(folder / "Autocheck19.ini"));
    window->AutomaticCheck();
    EXPECT_EQ(update.checks, std::vector<bool>{false});
    autoCheck->trigger();
    EXPECT_FALSE(autoCheck->isChecked());
    EXPECT_TRUE(fs::exists(folder / "Autocheck19.ini"));

    window->findChild<QAction*>("miNewVersion")->trigger();
    EXPECT_EQ(update.checks, (std::vector<bool>{false, true}));
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

// One action per key, in both editions: two actions on one key make an
// ambiguous shortcut, and then neither runs.
TEST(MainWindowKeys, NoTwoActionsShareAShortcut) {
    for (const Edition* edition : {&Edition2019(), &Edition2018()}) {
        const fs::path folder = fs::temp_directory_path() / ("kestrana_keys_" + std::to_string(edition->year));
        TestContext tc(*edition, folder.string());
        TfiMain window(tc.context);
        window.Action("acE1")->trigger();  // the declaration's own actions count too
        std::map<QString, QString> owner;
        for (QAction* a : window.findChildren<QAction*>()) {
            for (const QKeySequence& key : a->shortcuts()) {
                const QString name = key.toString();
                auto [it, fresh] = owner.emplace(name, a->objectName());
                EXPECT_TRUE(fresh) << edition->year << ": " << name.toStdString() << " on "
                                   << it->second.toStdString() << " and " << a->objectName().toStdString();
            }
        }
        EXPECT_TRUE(owner.count("F2") && owner.count("F8") && owner.count("Alt+X"));
        // The menu still shows the key beside the caption.
        EXPECT_TRUE(window.findChild<QAction*>("miExit")->text().endsWith("\tAlt+X"));
        window.ActiveDeclaration()->parentWidget()->close();
        fs::remove_all(folder);
    }
}

TEST_F(MainWindow, TheFindBoxEmptiesWhenTheDeclarationCloses) {
    window->Action("acE1")->trigger();
    auto* find = window->findChild<QLineEdit*>("edFind");
    find->setText("301");
    QTest::keyClick(find, Qt::Key_Return);
    window->ActiveDeclaration()->parentWidget()->close();
    QApplication::processEvents();
    window->ActionsUpdate();
    EXPECT_EQ(find->text(), "");
    window->Action("acE1")->trigger();
    EXPECT_EQ(find->text(), "");
}

TEST_F(MainWindow, ExitClosesTheOpenDeclarationFirst) {
    window->Action("acE1")->trigger();
    auto* e1Window = qobject_cast<TfiE1*>(window->ActiveDeclaration());
    ASSERT_NE(e1Window, nullptr);
    e1Window->Edit("edAFM")->setText("123456789");
    ASSERT_TRUE(e1Window->Modified());
    // The declaration asks to be saved and the save fails (Tables is a
    // file): it keeps itself open, and so does the program.
    fs::remove_all(folder / "Tables");
    std::ofstream(folder / "Tables") << "x";
    dialogs.answers = {true};
    window->Action("acExit")->trigger();
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Question), std::vector<std::string>{kCloseQuestion});
    EXPECT_TRUE(window->isVisible());
    ASSERT_NE(window->ActiveDeclaration(), nullptr);
    dialogs.answers = {false};
    window->Action("acExit")->trigger();
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Question).size(), 2u);
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
