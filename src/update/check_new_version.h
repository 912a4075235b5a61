#pragma once
// The version check as a sequence over its seams: the HTTP client, the user
// dialogs (questions, messages, starting the installer, the browser), the
// windows that show how far it has come, and the installer file. The real
// windows bind these in update/window; tests may bind their own.
#include <string>
#include <string_view>

#include "update/update_protocol.h"

namespace kestrana {

struct Edition;
class HttpClient;
class UserDialogs;

// Result of the choice window; closing it otherwise is None.
enum class InstallChoice { None = 0, Direct = 1, Browser = 2 };

// What the check shows while it runs.
class UpdateView {
public:
    virtual ~UpdateView() = default;
    // The notice window, shown without blocking.
    virtual void ShowNotice() = 0;
    // Its detail line; the windows repaint.
    virtual void SetDetails(const std::string& text) = 0;
    // Status panels and progress bars of both windows; `transferEnded` after
    // each request, otherwise while bytes arrive (a view may skip some).
    virtual void ShowTransfer(const TransferView& view, bool transferEnded) = 0;
    // The choice window, modal.
    virtual InstallChoice AskInstallChoice() = 0;
    virtual void CloseNotice() = 0;
};

// The downloaded installer on disk.
class InstallerFiles {
public:
    virtual ~InstallerFiles() = default;
    virtual void PrepareFolder() = 0;     // "Upgrade", when missing
    virtual void RemoveInstaller() = 0;   // an earlier download
    // Writes the whole installer or nothing (temporary file, then rename).
    virtual bool WriteInstaller(std::string_view bytes) = 0;
    // What the platform is asked to start.
    virtual std::string InstallerPath() const = 0;
};

struct UpdateSeams {
    const Edition& edition;
    HttpClient& http;
    UserDialogs& dialogs;
    UpdateView& view;
    InstallerFiles& files;
    TransferCounters& counters;  // program-wide
};

enum class CheckOutcome { KeepRunning, HandedOver };

// `manual` is false for the silent start-up check, which says nothing when
// there is no newer version. HandedOver: the installer or the browser has
// been started and the program must end.
CheckOutcome CheckNewVersion(bool manual, const UpdateSeams& seams);

}  // namespace kestrana
