// The E1 window as the user meets it: opening a full declaration (window,
// page pictures, every box filled from the file, first paint), the clearance
// up to the engine's results (F8 before the statement opens), and one key
// typed into an amount box.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <string>

#include "e1/model/form_model.h"
#include "e1/window/tfi_e1.h"
#include "editions/edition.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/scripted_dialogs.h"
#include "controls/edit_real.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "records/declarations_store.h"
#include "records/record_files.h"
#include "statement/statement_opener.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrana;

QApplication& App() {
    static int argc = 1;
    static char arg0[] = "bench_e1window";
    static char* argv[] = {arg0, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A folder with the program's page pictures and one declaration that fills
// every identity field to its capacity and all 150 code entries.
struct Fixture {
    std::string base;
    const std::string afm = "123456789";
    Fixture() {
        App();
        base = (fs::temp_directory_path() / ("kestrana_bench_e1_" + std::to_string(::getpid()))).string();
        fs::create_directories(base + "/Tables");
        fs::create_directories(base + "/WParams");
        const fs::path pictures = fs::path(KESTRANA_BIN_DIR) / "WParams";
        for (int page = 1; page <= 4; ++page) {
            const std::string name = Edition2019().E1PagePicture(page);
            if (fs::exists(pictures / name)) fs::copy_file(pictures / name, fs::path(base) / "WParams" / name);
        }
        E1Record r;
        r.Clear();
        for (const RecordField& f : E1Record::Fields()) {
            switch (f.kind) {
                case FieldKind::String: r.SetText(f, std::string(f.capacity, 'A')); break;
                case FieldKind::Star: r.SetText(f, "*"); break;
                case FieldKind::Byte: r.SetInt(f, 12); break;
                case FieldKind::Int16:
                case FieldKind::Int32: r.SetInt(f, 2015); break;
                case FieldKind::Real48: r.SetReal(f, 85.5); break;
                case FieldKind::Bool: r.SetBool(f, true); break;
                case FieldKind::Bytes: break;
            }
        }
        r.SetText("edAFM", afm);
        int k = 0;
        for (const FormControl* c : E1FormModel(Edition2019()).ListCodeControls()) {
            if (k == E1Record::kCodeCount) break;
            if (!c->visible) continue;
            r.SetCode(k, static_cast<int16_t>(c->code), c->kind == ControlKind::Check ? 1 : 1234.56 + k);
            ++k;
        }
        WriteE1File(r, base);
    }
    ~Fixture() { fs::remove_all(base); }
};

Fixture& Data() {
    static Fixture f;
    return f;
}

// Counts the statements the window asks for instead of showing them.
struct CountingOpener : StatementOpener {
    void Open(const StatementHeader&, QWidget*) override { ++opened; }
    int opened = 0;
};

struct Context {
    ScriptedDialogs dialogs;
    DeclarationsStore store{Data().base};
    E1Record e1;
    E2Record e2;
    EngineState engine;
    CountingOpener statements;
    AppContext app{Edition2019(), dialogs, dialogs, store, e1, e2, engine, &statements};
};

void BM_OpenFullDeclaration(benchmark::State& state) {
    Fixture& data = Data();
    Context c;
    for (auto _ : state) {
        TfiE1 w(c.app);
        w.resize(1100, 900);
        if (!w.OpenDeclaration(data.afm)) state.SkipWithError("not read");
        w.show();
        QApplication::processEvents();
        state.PauseTiming();
        w.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenFullDeclaration)->Unit(benchmark::kMillisecond);

// Loading alone, into a window that already exists.
void BM_FillWindowFromRecord(benchmark::State& state) {
    Fixture& data = Data();
    Context c;
    TfiE1 w(c.app);
    E1Record r;
    ReadE1File(data.afm, r, data.base);
    for (auto _ : state) w.FillWindowFromRecord(r);
}
BENCHMARK(BM_FillWindowFromRecord)->Unit(benchmark::kMillisecond);

// F8 up to the engine's results: intake of every box, luxury figures, the
// clearance and the statement's heading and code list.
void BM_ClearanceOfFullDeclaration(benchmark::State& state) {
    Fixture& data = Data();
    Context c;
    TfiE1 w(c.app);
    w.OpenDeclaration(data.afm);
    for (auto _ : state) {
        w.RunClearance();
        benchmark::DoNotOptimize(c.engine.FinalBalance);
    }
    if (c.statements.opened == 0) state.SkipWithError("no clearance");
}
BENCHMARK(BM_ClearanceOfFullDeclaration)->Unit(benchmark::kMicrosecond);

// One digit typed into an amount box and taken back, with the window shown.
void BM_KeyIntoAmountBox(benchmark::State& state) {
    Fixture& data = Data();
    Context c;
    TfiE1 w(c.app);
    w.OpenDeclaration(data.afm);
    w.show();
    QWidget* box = w.Control("edP301");
    box->setFocus();
    QApplication::processEvents();
    for (auto _ : state) {
        QTest::keyClick(box, Qt::Key_5);
        QTest::keyClick(box, Qt::Key_Backspace);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_KeyIntoAmountBox)->Unit(benchmark::kMicrosecond);

}  // namespace
