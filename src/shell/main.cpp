// Program entry of both editions; KESTRANA_EDITION_YEAR is set by the build.
#include <QApplication>
#include <QScreen>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/paths.h"
#include "platform/qt_user_dialogs.h"
#include "records/e1_record.h"
#include "records/declarations_store.h"
#include "records/e2_record.h"
#include "shell/tfi_main.h"
#include "statement/window/tfi_eka.h"
#include "update/curl/curl_http_client.h"
#include "update/window/qt_update_service.h"

int main(int argc, char** argv) {
    using namespace kestrana;
    QApplication app(argc, argv);
    const Edition& edition = EditionForYear(KESTRANA_EDITION_YEAR);
    QApplication::setApplicationName(QString::fromStdString(edition.title));
    // Tables, WParams and the marker files live beside the program.
    MakeProgramFolderCurrent();

    // The records, the engine state and the services live for the whole run.
    QtUserDialogs dialogs;
    DeclarationsStore store;  // Tables of the working folder
    E1Record e1;
    E2Record e2;
    EngineState engine;
    AppContext context{edition, dialogs, dialogs, store, e1, e2, engine};
    EkaStatementOpener statements(context);
    context.statements = &statements;
    CurlHttpClient http(edition.updateServer);  // the maker's server, https only
    context.http = &http;
    QtUpdateService update(context);
    context.update = &update;

    TfiMain window(context);
    dialogs.SetParent(&window);
    window.StartUp();
    window.AutomaticCheck();
    if (!window.KeepRunning()) return 0;  // handed over to an installer or the browser
    // Centred first, so that leaving the maximised state finds it in the middle.
    if (QScreen* screen = window.screen()) {
        const QRect free = screen->availableGeometry();
        window.resize(window.size().boundedTo(free.size()));
        window.move(free.center() - window.rect().center());
    }
    window.showMaximized();
    return app.exec();
}
