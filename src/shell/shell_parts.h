#pragma once
// The pieces of other windows the main window reaches, in one place.
#include <string>

class QWidget;

namespace kestrana {

struct AppContext;
struct OldInstallPlaces;

// Fast entry by codes, modal.
void ShowFastEntryWindow(AppContext& context, QWidget* parent);

// Where this machine keeps an earlier install (platform stand-ins).
OldInstallPlaces CurrentOldInstallPlaces();

}  // namespace kestrana
