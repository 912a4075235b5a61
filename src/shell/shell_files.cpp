#include "shell/shell_files.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

#include "editions/edition.h"
#include "records/declaration_kind.h"

namespace kestrana {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(p, ec);
}

bool IsFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

// Marker files are one line of text written like the rest of the program's
// text files (CR LF).
void WriteMarker(const fs::path& p, const std::string& line) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << line << "\r\n";
}

void CopyMissingFiles(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::directory_iterator it(from, ec);
    if (ec) return;
    for (const fs::directory_entry& entry : it) {
        std::error_code fileEc;
        if (!entry.is_regular_file(fileEc)) continue;
        const fs::path target = to / entry.path().filename();
        if (Exists(target)) continue;
        fs::copy_file(entry.path(), target, fs::copy_options::none, fileEc);
    }
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

}  // namespace

bool AutoCheckEnabled(const fs::path& folder, const Edition& edition) {
    return !Exists(folder / edition.autoCheckMarker);
}

bool ApplyAutoCheckSwitch(const fs::path& folder, const Edition& edition, bool ticked) {
    const fs::path marker = folder / edition.autoCheckMarker;
    if (!ticked) {
        WriteMarker(marker, "Not OK");
    } else if (Exists(marker)) {
        std::error_code ec;
        fs::remove(marker, ec);
    }
    return AutoCheckEnabled(folder, edition);
}

int DeleteAllDeclarationFiles(const fs::path& tablesFolder) {
    int deleted = 0;
    std::error_code ec;
    fs::directory_iterator it(tablesFolder, ec);
    if (ec) return 0;
    for (const fs::directory_entry& entry : it) {
        std::error_code fileEc;
        if (entry.is_directory(fileEc)) continue;
        const std::string name = entry.path().filename().string();
        if (!IsAnyDeclarationFileName(name)) continue;
        if (fs::remove(entry.path(), fileEc)) ++deleted;
    }
    return deleted;
}

void CopyOldDeclarations(const fs::path& workingFolder, const Edition& edition,
                         const OldInstallPlaces& places) {
    const fs::path programFiles = places.programFilesDir;
    if (edition.refreshesOlderProgram) {
        // Keeps the previous year's program in its install folder up to date.
        const fs::path program = workingFolder / edition.oldInstallProgram;
        const fs::path oldFolder = programFiles / edition.oldInstallFolder;
        if (!places.programFilesDir.empty() && Exists(program) && IsFolder(oldFolder)) {
            std::error_code ec;
            fs::copy_file(program, oldFolder / program.filename(),
                          fs::copy_options::overwrite_existing, ec);
        }
        return;
    }

    const fs::path doneMarker = workingFolder / "DoneCopy.txt";
    if (Exists(doneMarker)) return;

    const fs::path oldInstall = programFiles / edition.oldInstallFolder;
    std::string login = places.loginName;
    login.erase(std::remove(login.begin(), login.end(), '.'), login.end());
    if (login.empty()) login = "Unknown";
    const fs::path store = places.usersRoot / login / "AppData" / "Local" / "VirtualStore";
    fs::path redirected = store / "Program Files (x86)" / edition.oldInstallFolder / "Tables";
    if (!IsFolder(redirected)) {
        redirected = store / "Program Files" / edition.oldInstallFolder / "Tables";
        if (!IsFolder(redirected)) redirected.clear();
    }

    const std::string working = workingFolder.string();
    const bool copy = !places.programFilesDir.empty() &&
                      Exists(oldInstall / edition.oldInstallProgram) &&
                      working.find("Program Files") == std::string::npos &&
                      Upper(working).find("VORANTIX") != std::string::npos;
    if (copy) {
        const fs::path tables = workingFolder / "Tables";
        std::error_code ec;
        fs::create_directories(tables, ec);
        CopyMissingFiles(oldInstall / "Tables", tables);
        if (!redirected.empty()) CopyMissingFiles(redirected, tables);
    }
    WriteMarker(doneMarker, "OK");
}

}  // namespace kestrana
