// The version check and the news window as the program runs them: the real
// service, windows and libcurl client against a real HTTPS server on
// 127.0.0.1, with scripted dialogs standing in for the user.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <chrono>
#include <fstream>

#include "platform/file_ops.h"
#include "shell/tfi_main.h"
#include "support/test_context.h"
#include "update/check_new_version.h"
#include "update/news_page.h"
#include "update/update_protocol.h"
#include "update/window/qt_update_service.h"
#include "update_test_support.h"

namespace kestrana {
// Failures name the dialogs instead of dumping bytes.
inline void PrintTo(const ShownDialog& d, std::ostream* os) { *os << int(d.kind) << ":" << d.text; }
}  // namespace kestrana

namespace fs = std::filesystem;
using namespace kestrana;
using namespace kestrana::testing;
using Clock = std::chrono::steady_clock;

namespace {

const std::string kList350 = "2<br/>a.txt<br/>100<br/>b.txt<br/>250<br/>";

QString Text(QWidget& w, const char* name) { return w.findChild<QLabel*>(name)->text(); }

class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
        context.http = client.get();
        context.update = &service;
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string Path(UpdateScript s) const { return UpdatePath(context.edition, s); }
    void Serve(UpdateScript s, Reply r) { server.Route(Path(s), std::move(r)); }
    // A server with a newer version, the file list of 350 bytes and an installer.
    void ServeNewer(const std::string& installer) {
        Serve(UpdateScript::EnableCheck, {200, "OK"});
        Serve(UpdateScript::Version, {200, "2019 (ver 2.01)"});
        Serve(UpdateScript::FileList, {200, kList350});
        Serve(UpdateScript::Download, {200, installer});
    }
    // The menu check: the version-check window opens and "Έλεγχος" is pressed;
    // `inWindow` then looks at the window before it closes.
    bool ManualCheck(std::function<void(QDialog&)> inWindow = {}) {
        dialogs.ExpectModal([inWindow](QDialog& d) {
            ASSERT_EQ(d.objectName(), "fiNewVer");
            d.findChild<QPushButton*>("btCheck")->click();
            if (inWindow) inWindow(d);
        });
        QueueChoice();
        return service.CheckNewVersion(true, nullptr);
    }
    // The choice window of the next check is answered with the named button
    // (nullptr: closed otherwise).
    void Choose(const char* button) { choice_ = button, chosen_ = true; }
    void QueueChoice() {
        if (!chosen_) return;
        chosen_ = false;
        dialogs.ExpectModal([button = choice_](QDialog& d) {
            ASSERT_EQ(d.objectName(), "fiDnld");
            if (button) d.findChild<QPushButton*>(button)->click();
            else d.reject();
        });
    }
    const char* choice_ = nullptr;
    bool chosen_ = false;
    fs::path Installer() const { return folder / "Upgrade" / "Setup.exe"; }

    fs::path folder = fs::temp_directory_path() /
                      ("kestrana_update_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    TestContext tc{Edition2019(), folder.string()};
    ScriptedDialogs& dialogs = tc.dialogs;
    AppContext& context = tc.context;
    TestServer server{TestServer::Mode::Https, &TestPki::Get().server};
    std::unique_ptr<CurlHttpClient> client = LoopbackClient(server.Base());
    QtUpdateService service{context};
};

std::vector<ShownDialog> Seq(std::initializer_list<ShownDialog> s) { return s; }
ShownDialog Modal(const char* name) { return {DialogKind::Modal, name}; }
ShownDialog Question() { return {DialogKind::Question, kNewVersionQuestion}; }
ShownDialog Failure() { return {DialogKind::Error, UpdateFailedMessage()}; }

}  // namespace

TEST_F(UpdateCheck, DirectInstallWritesTheInstallerAndHandsItOver) {
    std::string installer(1001, '\0');
    for (size_t i = 0; i < installer.size(); ++i) installer[i] = static_cast<char>(255 - i % 256);
    ServeNewer(installer);
    dialogs.answers = {true};
    bool noticeSeen = false;
    dialogs.ExpectModal([&](QDialog& d) {
        ASSERT_EQ(d.objectName(), "fiNewVer");
        EXPECT_EQ(d.windowTitle(), "Έλεγχος για νέα έκδοση της εφαρμογής");
        d.findChild<QPushButton*>("btCheck")->click();
        EXPECT_FALSE(d.isVisible());  // closed after the hand-over
    });
    dialogs.ExpectModal([&](QDialog& d) {
        ASSERT_EQ(d.objectName(), "fiDnld");
        EXPECT_EQ(d.windowTitle(), "Ενημέρωση με τη νέα έκδοση");
        // The notice is up while the check runs.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "fiNoConnection" && w->isVisible()) {
                noticeSeen = true;
                EXPECT_EQ(w->windowTitle(), "Ελεγχος νέων εκδόσεων ");
                EXPECT_EQ(Text(*w, "lbTitle"), "ΚΕΣΤΡΑΝΑ 2019");
                EXPECT_EQ(Text(*w, "lbWait"), "Παρακαλώ περιμένετε ...");
            }
        d.findChild<QPushButton*>("btDirect")->click();
    });
    EXPECT_FALSE(service.CheckNewVersion(true, nullptr));  // the program must end
    EXPECT_TRUE(noticeSeen);

    EXPECT_EQ(dialogs.shown, Seq({Modal("fiNewVer"), Question(), Modal("fiDnld"),
                                  {DialogKind::StartProgram, Installer().string()}}));
    EXPECT_EQ(ReadWholeFile(Installer()), installer);
    EXPECT_EQ(server.Requests(),
              (std::vector<std::string>{Path(UpdateScript::EnableCheck), Path(UpdateScript::Version),
                                        Path(UpdateScript::FileList), Path(UpdateScript::Download)}));
    EXPECT_EQ(service.Counters().DownloadTotal, 350);
    EXPECT_EQ(service.Counters().DownloadReceived, int64_t(2 + 15 + kList350.size() + 1001));
    // No notice window is left behind, no temporary file beside the installer.
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_NE(w->objectName(), "fiNoConnection");
    EXPECT_EQ(ListFolder(folder / "Upgrade"), std::vector<std::string>{"Setup.exe"});
}

TEST_F(UpdateCheck, BrowserChoiceOpensTheDownloadPage) {
    ServeNewer(std::string(5000, 'x'));
    dialogs.answers = {true};
    Choose("btBrowser");
    EXPECT_FALSE(ManualCheck());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::OpenDocument),
              std::vector<std::string>{server.Base() + "/versions/KESTRA2019/dnldnewkestraver.php"});
    EXPECT_EQ(server.Requests().size(), 2u);  // nothing downloaded
    EXPECT_FALSE(fs::exists(Installer()));
}

TEST_F(UpdateCheck, NoInstallationNoAnswerAndEqualVersions) {
    ServeNewer(std::string(5000, 'x'));
    fs::create_directories(folder / "Upgrade");
    std::ofstream(Installer()) << "an older download";

    // "No" to the question: nothing more.
    dialogs.answers = {false};
    EXPECT_TRUE(ManualCheck());
    EXPECT_EQ(dialogs.shown, Seq({Modal("fiNewVer"), Question()}));
    EXPECT_TRUE(fs::exists(Installer()));

    // "Να μήν γίνει εγκατάσταση", and the window closed otherwise: the old
    // download is gone, nothing new arrives.
    for (int closedOtherwise = 0; closedOtherwise < 2; ++closedOtherwise) {
        dialogs.Clear();
        dialogs.answers = {true};
        Choose(closedOtherwise ? nullptr : "btNone");
        EXPECT_TRUE(ManualCheck());
        EXPECT_EQ(dialogs.shown, Seq({Modal("fiNewVer"), Question(), Modal("fiDnld")}));
        EXPECT_FALSE(fs::exists(Installer()));
    }

    // The same version: said in the menu check, silent at start-up.
    Serve(UpdateScript::Version, {200, "2019 (ver 2.00)"});
    dialogs.Clear();
    EXPECT_TRUE(ManualCheck());
    EXPECT_EQ(dialogs.shown, Seq({Modal("fiNewVer"), {DialogKind::Message, "Δεν υπάρχει νεότερη έκδοση της εφαρμογής"}}));
    dialogs.Clear();
    EXPECT_TRUE(service.CheckNewVersion(false, nullptr));
    Serve(UpdateScript::Version, {200, ""});
    EXPECT_TRUE(service.CheckNewVersion(false, nullptr));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(UpdateCheck, InstallerOf1000BytesIsIgnoredAndPanelsShowTheCount) {
    ServeNewer(std::string(1000, 'x'));
    const std::string list = "1<br/>Setup.exe<br/>5000<br/>";
    Serve(UpdateScript::FileList, {200, list});
    dialogs.answers = {true};
    Choose("btDirect");
    QString panel0, panel1;
    int bar = -1;
    EXPECT_TRUE(ManualCheck([&](QDialog& d) {
        EXPECT_TRUE(d.isVisible());  // still open: nothing was handed over
        panel0 = d.findChild<QLabel*>("sbInfoPanel0")->text();
        panel1 = d.findChild<QLabel*>("sbInfoPanel1")->text();
        bar = d.findChild<QProgressBar*>("pbInfo")->value();
    }));
    EXPECT_EQ(dialogs.shown, Seq({Modal("fiNewVer"), Question(), Modal("fiDnld")}));  // no message
    EXPECT_FALSE(fs::exists(Installer()));
    const int64_t received = 2 + 15 + int64_t(list.size()) + 1000;
    EXPECT_EQ(panel0.toStdString(), "Παραλήφθησαν " + ThousandsDots(received) + " Bytes");
    EXPECT_EQ(panel1.toStdString(), "από σύνολο 5.000 Bytes");
    EXPECT_EQ(bar, 21);  // 1046 of 5000
}

TEST_F(UpdateCheck, BadRepliesAfterTheServiceTestGiveTheMessageAndChangeNothing) {
    Reply cut{200, std::string(4000, 'x')};
    cut.cutAfter = 2500;
    struct Case {
        const char* what;
        UpdateScript script;
        Reply reply;
        bool reachesChoice;
    } cases[] = {
        {"version too large", UpdateScript::Version, {200, std::string(300, '9')}, false},
        {"version not text", UpdateScript::Version, {200, std::string("2019\0(ver 2.01)", 15)}, false},
        {"version page missing", UpdateScript::Version, {404, "not found"}, false},
        {"count not a number", UpdateScript::FileList, {200, "two<br/>a.txt<br/>100<br/>"}, true},
        {"size not a number", UpdateScript::FileList, {200, "1<br/>a.txt<br/>1O0<br/>"}, true},
        {"file list cut short", UpdateScript::FileList, {200, "2<br/>a.txt<br/>100<br/>"}, true},
        {"file list too large", UpdateScript::FileList, {200, std::string(70000, '1')}, true},
        {"installer cut short", UpdateScript::Download, cut, true},
        {"installer page fails", UpdateScript::Download, {500, std::string(2000, 'e')}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServeNewer(std::string(3000, 'x'));
        Serve(c.script, c.reply);
        dialogs.Clear();
        dialogs.answers = {true};
        if (c.reachesChoice) Choose("btDirect");
        EXPECT_TRUE(ManualCheck());
        if (c.reachesChoice) EXPECT_EQ(dialogs.shown, Seq({Modal("fiNewVer"), Question(), Modal("fiDnld"), Failure()}));
        else EXPECT_EQ(dialogs.shown, Seq({Modal("fiNewVer"), Failure()}));
        EXPECT_FALSE(fs::exists(Installer()));
        EXPECT_EQ(dialogs.PendingModals(), 0u);
    }
}

TEST_F(UpdateCheck, BeforeTheServiceTestEverythingIsSilent) {
    Serve(UpdateScript::Version, {200, "2019 (ver 2.01)"});
    for (Reply enable : {Reply{200, "NO"}, Reply{200, "OK\r\n"}, Reply{200, std::string(1000, 'O')},
                         Reply{404, "OK"}, Reply{200, std::string("O\0K", 3)}}) {
        Serve(UpdateScript::EnableCheck, enable);
        dialogs.Clear();
        EXPECT_TRUE(ManualCheck());
        EXPECT_TRUE(service.CheckNewVersion(false, nullptr));
        EXPECT_EQ(dialogs.shown, Seq({Modal("fiNewVer")}));
    }
    for (const std::string& path : server.Requests()) EXPECT_EQ(path, Path(UpdateScript::EnableCheck));
}

TEST_F(UpdateCheck, InstallerThatCannotBeWrittenOrStarted) {
    ServeNewer(std::string(2000, 'i'));
    // "Upgrade" is a file: no folder, no installer.
    std::ofstream(folder / "Upgrade") << "in the way";
    dialogs.answers = {true};
    Choose("btDirect");
    EXPECT_TRUE(ManualCheck());
    EXPECT_EQ(dialogs.shown.back(), Failure());
    EXPECT_TRUE(dialogs.TextsOf(DialogKind::StartProgram).empty());

    // Written, but the platform cannot start it: the program goes on.
    fs::remove(folder / "Upgrade");
    dialogs.Clear();
    dialogs.answers = {true};
    dialogs.startProgramResult = false;
    Choose("btDirect");
    EXPECT_TRUE(ManualCheck());
    EXPECT_EQ(dialogs.shown, Seq({Modal("fiNewVer"), Question(), Modal("fiDnld"),
                                  {DialogKind::StartProgram, Installer().string()}, Failure()}));

    // Nor can the browser be opened.
    dialogs.Clear();
    dialogs.answers = {true};
    dialogs.openDocumentResult = false;
    Choose("btBrowser");
    EXPECT_TRUE(ManualCheck());
    EXPECT_EQ(dialogs.shown.back(), Failure());
}

TEST_F(UpdateCheck, StartUpWithTheServerDownOrStalledShowsNothing) {
    {
        QtUpdateService down(context);
        auto nobody = LoopbackClient("https://127.0.0.1:" + std::to_string(ClosedPort()));
        context.http = nobody.get();
        auto start = Clock::now();
        EXPECT_TRUE(down.CheckNewVersion(false, nullptr));
        EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 1.0);
    }
    // A server that takes the request and never answers: the first
    // request's own time-out of 5000 ms, then silence.
    context.http = client.get();
    Reply stall{200, "OK"};
    stall.stallMs = 12000;
    Serve(UpdateScript::EnableCheck, stall);
    auto start = Clock::now();
    EXPECT_TRUE(service.CheckNewVersion(false, nullptr));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_GE(seconds, 4.9);
    EXPECT_LT(seconds, 7.0);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(server.Requests(), std::vector<std::string>{Path(UpdateScript::EnableCheck)});
}

TEST_F(UpdateCheck, ProgressMovesWhileTheInstallerArrivesInChunks) {
    // The sequence with a view that records what the windows would show.
    struct RecordingView : UpdateView {
        void ShowNotice() override {}
        void SetDetails(const std::string& text) override { details.push_back(text); }
        void ShowTransfer(const TransferView& v, bool ended) override { (ended ? ends : during).push_back(v); }
        InstallChoice AskInstallChoice() override { return InstallChoice::Direct; }
        void CloseNotice() override {}
        std::vector<std::string> details;
        std::vector<TransferView> during, ends;
    } view;
    struct MemoryInstaller : InstallerFiles {
        void PrepareFolder() override {}
        void RemoveInstaller() override {}
        bool WriteInstaller(std::string_view b) override { return written = b, true; }
        std::string InstallerPath() const override { return "Upgrade/Setup.exe"; }
        std::string written;
    } files;
    ServeNewer("");
    const std::string list = "1<br/>Setup.exe<br/>40000<br/>";
    Serve(UpdateScript::FileList, {200, list});
    Serve(UpdateScript::Download, {200, std::string(30000, 's'), {}, 10000, 200});
    dialogs.answers = {true};
    TransferCounters counters;
    UpdateSeams seams{context.edition, *client, dialogs, view, files, counters};
    EXPECT_EQ(CheckNewVersion(false, seams), CheckOutcome::HandedOver);

    EXPECT_EQ(view.details, (std::vector<std::string>{kDownloadingDetails, kWritingDetails}));
    EXPECT_EQ(files.written.size(), 30000u);
    ASSERT_EQ(view.ends.size(), 4u);  // one per request
    const int64_t before = 2 + 15 + int64_t(list.size());
    EXPECT_EQ(view.ends[3].received, "Παραλήφθησαν " + ThousandsDots(before + 30000) + " Bytes");
    EXPECT_EQ(view.ends[3].total, "από σύνολο 40.000 Bytes");
    EXPECT_EQ(view.ends[3].percent, 75);  // 30047 of 40000
    // While the installer came, the figures rose in several steps.
    std::vector<std::string> texts;
    std::vector<int> bars;
    for (const TransferView& v : view.during)
        if (v.total == "από σύνολο 40.000 Bytes" && (texts.empty() || texts.back() != v.received)) {
            texts.push_back(v.received);
            bars.push_back(v.percent.value_or(-1));
        }
    EXPECT_GE(texts.size(), 4u);
    EXPECT_TRUE(std::find(texts.begin(), texts.end(), "Παραλήφθησαν " + ThousandsDots(before + 10000) + " Bytes") != texts.end());
    EXPECT_TRUE(std::find(texts.begin(), texts.end(), "Παραλήφθησαν " + ThousandsDots(before + 20000) + " Bytes") != texts.end());
    EXPECT_TRUE(std::is_sorted(bars.begin(), bars.end()));
    EXPECT_EQ(dialogs.shown, Seq({Question(), {DialogKind::StartProgram, "Upgrade/Setup.exe"}}));
}

TEST(UpdateEdition2018, AsksItsOwnFolderWithItsOwnVersion) {
    fs::path folder = fs::temp_directory_path() / "kestrana_update_2018";
    fs::remove_all(folder);
    fs::create_directories(folder);
    TestContext tc(Edition2018(), folder.string());
    TestServer server(TestServer::Mode::Https, &TestPki::Get().server);
    server.Route("/versions/KESTRA2018/enableinternetcheck.php", {200, "OK"});
    server.Route("/versions/KESTRA2018/getkestraver.php", {200, "2018 (ver 6.00)"});
    auto client = LoopbackClient(server.Base());
    tc.context.http = client.get();
    QtUpdateService service(tc.context);
    tc.dialogs.ExpectModal([](QDialog& d) { d.findChild<QPushButton*>("btCheck")->click(); });
    EXPECT_TRUE(service.CheckNewVersion(true, nullptr));
    EXPECT_EQ(tc.dialogs.TextsOf(DialogKind::Message), std::vector<std::string>{kNoNewerVersion});
    EXPECT_EQ(server.Requests().size(), 2u);
    fs::remove_all(folder);
}

TEST_F(UpdateCheck, MainWindowMenuCheckEndsTheProgramAfterTheHandOver) {
    ServeNewer(std::string(5000, 'x'));
    TfiMain window(context);
    window.StartUp();
    window.show();
    dialogs.answers = {true};
    dialogs.ExpectModal([](QDialog& d) { d.findChild<QPushButton*>("btCheck")->click(); });
    Choose("btBrowser");
    QueueChoice();
    auto* item = window.findChild<QAction*>("miNewVersion");
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_FALSE(window.KeepRunning());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::OpenDocument).size(), 1u);
}

// The news window.
class NewsWindow : public UpdateCheck {
protected:
    fs::path Marker() const { return folder / "editorial19.ini"; }
    void SetUp() override {
        UpdateCheck::SetUp();
        std::ofstream(Marker()) << "";
    }
    // Shows the news; `act` works the window as the user would.
    void Show(std::function<void(QDialog&)> act) {
        dialogs.ExpectModal([act](QDialog& d) {
            ASSERT_EQ(d.objectName(), "fiPro");
            act(d);
        });
        service.ShowNews(nullptr);
    }
};

TEST_F(NewsWindow, ShowsTheEditorialPageAndForgetsTheMarkerWhenTicked) {
    server.Route("/versions/KESTRA2019/editorial.html",
                 {200, "<html><body><h1>Νέα της χρονιάς</h1><p>Η προθεσμία λήγει.</p>"
                       "<img src=\"file:///etc/hostname\"><a href=\"https://example.invalid/x\">πύλη</a></body></html>"});
    Show([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "ΚΕΣΤΡΑΝΑ 2019 (ver 2.00)");
        auto* page = d.findChild<QTextBrowser*>("wbNews");
        EXPECT_TRUE(page->toPlainText().contains("Νέα της χρονιάς"));
        EXPECT_TRUE(page->toPlainText().contains("Η προθεσμία λήγει."));
        // Nothing local is read on the page's behalf.
        EXPECT_TRUE(page->document()->resource(QTextDocument::ImageResource, QUrl("file:///etc/hostname"))
                        .toByteArray()
                        .isEmpty());
        emit page->anchorClicked(QUrl("https://example.invalid/x"));
        emit page->anchorClicked(QUrl("file:///etc/passwd"));
        auto* box = d.findChild<QCheckBox*>("cbDontShow");
        EXPECT_EQ(box->text(), "Να μην εμφανιστεί ξανά αυτό το μήνυμα");
        box->setChecked(true);
        auto* exit = d.findChild<QPushButton*>("btExit");
        EXPECT_EQ(exit->text(), "Έξοδος");
        exit->click();
    });
    EXPECT_FALSE(fs::exists(Marker()));
    EXPECT_EQ(dialogs.TextsOf(DialogKind::OpenDocument), std::vector<std::string>{"https://example.invalid/x"});
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"/versions/KESTRA2019/editorial.html"});
}

TEST_F(NewsWindow, UntickedKeepsTheMarkerAndAMissingPageShowsALine) {
    Show([](QDialog& d) {
        EXPECT_EQ(d.findChild<QTextBrowser*>("wbNews")->toPlainText(), kNewsUnavailable);  // 404
        d.findChild<QPushButton*>("btExit")->click();
    });
    EXPECT_TRUE(fs::exists(Marker()));

    auto nobody = LoopbackClient("https://127.0.0.1:" + std::to_string(ClosedPort()));
    context.http = nobody.get();
    Show([](QDialog& d) {
        EXPECT_EQ(d.findChild<QTextBrowser*>("wbNews")->toPlainText(), kNewsUnavailable);
        d.reject();  // closed with the window's own box
    });
    EXPECT_TRUE(fs::exists(Marker()));
    EXPECT_EQ(dialogs.shown, Seq({Modal("fiPro"), Modal("fiPro")}));  // never an error box
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
