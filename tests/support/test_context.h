// The application object as a window test builds it: scripted dialogs (which
// also run the modal windows), a store over a folder of the test's own, the
// shared records and engine state, and a statement opener that records what
// it was asked to show instead of showing it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/scripted_dialogs.h"
#include "records/declarations_store.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "statement/statement_opener.h"

namespace kestrana {

class RecordingStatementOpener : public StatementOpener {
public:
    void Open(const StatementHeader& header, QWidget*) override { opened.push_back(header); }
    std::vector<StatementHeader> opened;
};

struct TestContext {
    explicit TestContext(const Edition& edition = Edition2019(), std::string baseDir = "")
        : store(std::move(baseDir)), context{edition, dialogs, dialogs, store, e1, e2, engine} {
        context.statements = &statements;
    }
    TestContext(const TestContext&) = delete;
    TestContext& operator=(const TestContext&) = delete;

    ScriptedDialogs dialogs;
    DeclarationsStore store;
    E1Record e1;
    E2Record e2;
    EngineState engine;
    RecordingStatementOpener statements;
    AppContext context;
};

}  // namespace kestrana
