#pragma once
// File work of the main window: the automatic-check marker, the deletion of
// every stored declaration and the one-time copy from an earlier install.
// Plain C++ over std::filesystem so it can be tested without windows.
#include <filesystem>
#include <string>

namespace kestrana {

struct Edition;

// Automatic version check at start-up: on exactly when the marker is absent.
bool AutoCheckEnabled(const std::filesystem::path& folder, const Edition& edition);

// The menu switch after its tick has toggled: unticked writes the marker
// ("Not OK"), ticked removes it. Returns the tick the item must show, which
// follows the marker whatever happened (an unwritable folder shows the truth).
bool ApplyAutoCheckSwitch(const std::filesystem::path& folder, const Edition& edition,
                          bool ticked);

// Deletes every file of the folder whose name contains "E1" or "E2" (letter
// case counts). Failures are ignored. Returns how many were deleted.
int DeleteAllDeclarationFiles(const std::filesystem::path& tablesFolder);

// Where an earlier install may have left its declarations.
struct OldInstallPlaces {
    std::string programFilesDir;      // "ProgramFilesDir"; empty when missing
    std::string loginName;            // login name; dots are removed here
    std::filesystem::path usersRoot;  // the folder that holds the users' home folders
};

// Once per install (marker "DoneCopy.txt"): copies the declarations of an
// earlier install into workingFolder/Tables, never replacing a file already
// there. Edition 2018 instead refreshes the older program in its own folder.
void CopyOldDeclarations(const std::filesystem::path& workingFolder, const Edition& edition,
                         const OldInstallPlaces& places);

}  // namespace kestrana
