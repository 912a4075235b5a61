#pragma once
// The one application object: created by the program entry (or by a test)
// and handed to every window, with the shared records, the engine state and
// the services the windows need. Nothing here is global.
namespace kestrana {

struct Edition;
class UserDialogs;
class ModalRunner;
class DeclarationsStore;
class E1Record;
class E2Record;
struct EngineState;
class StatementOpener;
class PrintService;
class UpdateService;
class HttpClient;

struct AppContext {
    const Edition& edition;
    UserDialogs& dialogs;        // messages, questions, shell open, program start
    ModalRunner& modal;          // every modal window is run through here
    DeclarationsStore& store;    // Tables of this installation
    E1Record& e1;                // the shared E1 record (6991 bytes)
    E2Record& e2;                // the shared E2 record (7620 bytes)
    EngineState& engine;         // inputs and results of the tax computation
    StatementOpener* statements = nullptr;  // shows the clearance statement; none: not shown
    PrintService* printing = nullptr;       // print settings, cars list, statement print
    UpdateService* update = nullptr;        // version check and news window
    HttpClient* http = nullptr;             // what the update talks through
};

}  // namespace kestrana
