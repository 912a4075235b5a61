// What the user waits for in the program as a whole, offscreen: the main
// window shown after start-up, the index over 10,000 declarations shown, and
// F8 (from the E1 window and from fast entry) to the statement painted.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "e1/fastentry/tfi_fast_dil.h"
#include "e1/window/tfi_e1.h"
#include "editions/edition.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/scripted_dialogs.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "shell/index_window/tfi_entypa_list.h"
#include "records/declarations_store.h"
#include "records/record_files.h"
#include "statement/window/tfi_eka.h"
#include "shell/shell_parts.h"
#include "shell/tfi_main.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrana;

constexpr int kDeclarations = 10000;

// A working folder of its own with 10,000 stored declarations; removed at exit.
struct Folder {
    fs::path base = fs::temp_directory_path() / ("kestrana_bench_shell_" + std::to_string(::getpid()));
    Folder() {
        fs::create_directories(base / "Tables");
        E1Record r;
        for (int i = 0; i < kDeclarations; ++i) {
            const std::string afm = std::to_string(100000000 + i);
            r.SetText("edAFM", afm);
            r.SetText("edBigName", "ΠΑΠΑΔΟΠΟΥΛΟΣ " + std::to_string((i * 7919) % 10007));
            r.SetText("edName", "ΓΙΩΡΓΟΣ");
            r.SetCode(0, 301, 15000 + i);
            // Plain writes: the atomic save syncs every file, which only slows the setup.
            std::ofstream(E1FileName(afm, base.string()), std::ios::binary)
                .write(reinterpret_cast<const char*>(r.Data()), static_cast<std::streamsize>(r.kSize));
        }
    }
    ~Folder() {
        fs::remove_all(base);
    }
};

Folder& TheFolder() {
    static Folder folder;
    return folder;
}

struct Context {
    ScriptedDialogs dialogs;
    DeclarationsStore store{TheFolder().base.string()};
    E1Record e1;
    E2Record e2;
    EngineState engine;
    AppContext app{Edition2019(), dialogs, dialogs, store, e1, e2, engine};
    EkaStatementOpener statements{app};
    Context() { app.statements = &statements; }
};

// The statement shown by the modal runner is painted, then closed.
void PaintAndClose(ScriptedDialogs& dialogs) {
    dialogs.ExpectModal([](QDialog& d) {
        d.repaint();
        d.done(QDialog::Accepted);
    });
}

void BM_StartUpToMainWindowShown(benchmark::State& state) {
    TheFolder();
    Context c;
    for (auto _ : state) {
        TfiMain window(c.app);
        window.StartUp();
        window.AutomaticCheck();
        window.show();
        benchmark::DoNotOptimize(QTest::qWaitForWindowExposed(&window));
        window.repaint();
    }
}
BENCHMARK(BM_StartUpToMainWindowShown)->Unit(benchmark::kMillisecond);

void BM_IndexOf10000Shown(benchmark::State& state) {
    TheFolder();
    Context c;
    for (auto _ : state) {
        TfiEntypaList index(c.app);
        index.ShowIndex(DeclarationKind::E1);
        index.show();
        benchmark::DoNotOptimize(QTest::qWaitForWindowExposed(&index));
        index.repaint();
        if (index.RowCount() != kDeclarations + 1) state.SkipWithError("declarations missing");
    }
}
BENCHMARK(BM_IndexOf10000Shown)->Unit(benchmark::kMillisecond);

void BM_F8FromE1WindowToStatementPainted(benchmark::State& state) {
    TheFolder();
    Context c;
    TfiE1 window(c.app);
    window.resize(1200, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("window not shown");
    window.OpenDeclaration("100000123");
    QAction* eka = window.findChild<QAction*>("miEka2003");
    for (auto _ : state) {
        PaintAndClose(c.dialogs);
        eka->trigger();
        c.dialogs.Clear();
    }
    if (c.dialogs.PendingModals() != 0) state.SkipWithError("the statement did not open");
}
BENCHMARK(BM_F8FromE1WindowToStatementPainted)->Unit(benchmark::kMillisecond);

void BM_FastEntryClearanceToStatementPainted(benchmark::State& state) {
    TheFolder();
    Context c;
    TfiFastDil window(c.app);
    window.show();
    window.OpenDeclaration("100000123");
    window.SetRows({{"301", "25.000,00"}, {"302", "18.000,00"}, {"303", "4.500,00"}, {"701", "1.200,00"}});
    for (auto _ : state) {
        PaintAndClose(c.dialogs);
        window.Compute();
        c.dialogs.Clear();
    }
    if (c.dialogs.PendingModals() != 0) state.SkipWithError("the statement did not open");
}
BENCHMARK(BM_FastEntryClearanceToStatementPainted)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
