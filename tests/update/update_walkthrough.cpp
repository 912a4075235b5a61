// The update as a user meets it, for a look under Xvfb: the real main
// window, dialogs and update windows against the loopback test server.
// update_walkthrough newer|equal|down|stall [menu]
//   newer/equal: the server's version; down: nobody listens; stall: the
//   server never answers the first request. "menu" runs the menu check at
//   once; otherwise the start-up check runs as the program's own does.
// The installer comes slowly, in pieces, so the progress can be watched;
// starting it and opening the browser are only printed.
#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/qt_user_dialogs.h"
#include "records/declarations_store.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "shell/tfi_main.h"
#include "update/update_protocol.h"
#include "update/window/qt_update_service.h"
#include "update_test_support.h"

using namespace kestrana;
using namespace kestrana::testing;

namespace {

class PrintingDialogs : public QtUserDialogs {
public:
    bool StartProgram(const std::string& path) override {
        std::printf("start program: %s\n", path.c_str());
        std::fflush(stdout);
        return true;
    }
    bool OpenDocument(const std::string& address) override {
        std::printf("open document: %s\n", address.c_str());
        std::fflush(stdout);
        return true;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "newer";
    const bool menu = argc > 2 && std::strcmp(argv[2], "menu") == 0;
    QApplication app(argc, argv);
    const Edition& edition = Edition2019();
    QApplication::setApplicationName(QString::fromStdString(edition.title));

    TestServer server(TestServer::Mode::Https, &TestPki::Get().server);
    const std::string folder = edition.serverFolder;
    Reply enable(200, "OK");
    if (mode == "stall") enable.stallMs = 12000;
    server.Route(folder + "enableinternetcheck.php", enable);
    server.Route(folder + "getkestraver.php", Reply(200, mode == "equal" ? "2019 (ver 2.00)" : "2019 (ver 2.01)"));
    const size_t size = 3'000'000;
    server.Route(folder + "httpfilelist.php?cp=*.txt", Reply(200, "1<br/>Setup.exe<br/>" + std::to_string(size) + "<br/>"));
    server.Route(folder + "httpdnld.php", Reply(200, std::string(size, 'S'), {}, size / 40, 150));
    server.Route(folder + "editorial.html", Reply(200, "<h2>Νέα</h2><p>Η προθεσμία υποβολής λήγει στις 31 Ιουλίου.</p>"));
    const std::string base = mode == "down" ? "https://127.0.0.1:" + std::to_string(ClosedPort()) : server.Base();
    auto http = LoopbackClient(base);

    PrintingDialogs dialogs;
    DeclarationsStore store;
    E1Record e1;
    E2Record e2;
    EngineState engine;
    AppContext context{edition, dialogs, dialogs, store, e1, e2, engine};
    context.http = http.get();
    QtUpdateService update(context);
    context.update = &update;

    TfiMain window(context);
    dialogs.SetParent(&window);
    window.StartUp();
    const auto start = std::chrono::steady_clock::now();
    if (!menu) window.AutomaticCheck();
    std::printf("start-up check: %.2f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    std::fflush(stdout);
    if (!window.KeepRunning()) return 0;
    window.resize(1280, 860);
    window.show();
    if (menu) QTimer::singleShot(300, &window, [&] { window.findChild<QAction*>("miNewVersion")->trigger(); });
    return app.exec();
}
