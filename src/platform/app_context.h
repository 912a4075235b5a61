#pragma once
// The one application object: created by the program entry (or by a test)
// and handed to every window. Nothing here is global.
namespace kestrana {

struct Edition;
class UserDialogs;
class E1Record;
class E2Record;
struct EngineState;

struct AppContext {
    const Edition& edition;
    UserDialogs& dialogs;
    E1Record& e1;        // the shared E1 record (6991 bytes)
    E2Record& e2;        // the shared E2 record (7620 bytes)
    EngineState& engine; // inputs and results of the tax computation
};

}  // namespace kestrana
