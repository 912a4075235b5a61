// Program entry of both editions; KESTRANA_EDITION_YEAR is set by the build.
#include <QApplication>
#include <QScreen>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/paths.h"
#include "platform/qt_user_dialogs.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "shell/tfi_main.h"

int main(int argc, char** argv) {
    using namespace kestrana;
    QApplication app(argc, argv);
    const Edition& edition = EditionForYear(KESTRANA_EDITION_YEAR);
    QApplication::setApplicationName(QString::fromStdString(edition.title));
    // Tables, WParams and the marker files live beside the program.
    MakeProgramFolderCurrent();

    // The records and the engine state live for the whole run.
    QtUserDialogs dialogs;
    E1Record e1;
    E2Record e2;
    EngineState engine;
    AppContext context{edition, dialogs, e1, e2, engine};

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
