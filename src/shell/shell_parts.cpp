#include "shell/shell_parts.h"

#include "platform/app_context.h"
#include "platform/system_lookups.h"
#include "shell/shell_files.h"
#include "shell/tfi_main.h"

namespace kestrana {

std::optional<std::string> ChooseDeclaration(AppContext&, DeclarationKind, QWidget*) {
    return std::nullopt;
}

void ShowFastEntryWindow(AppContext&, QWidget*) {}

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

ShellHooks ShellHooks::Defaults() { return {}; }

}  // namespace kestrana
