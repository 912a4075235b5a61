#include "shell/shell_parts.h"

#include "e1/fastentry/tfi_fast_dil.h"
#include "platform/app_context.h"
#include "platform/system_lookups.h"
#include "shell/shell_files.h"

namespace kestrana {

void ShowFastEntryWindow(AppContext& context, QWidget* parent) { ShowFastEntry(context, parent); }

OldInstallPlaces CurrentOldInstallPlaces() {
    OldInstallPlaces places;
    places.programFilesDir = GetProgramFilesDir();
    places.loginName = GetLoginName();
#ifdef _WIN32
    places.usersRoot = "C:\\Users";
#else
    places.usersRoot = "/home";
#endif
    return places;
}

}  // namespace kestrana
