#pragma once
// The conversation with the update server, without windows or network:
// the requests and their paths, what each reply means, the transfer
// counters and the texts the progress panels show.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "update/http_client.h"

namespace kestrana {

struct Edition;

enum class UpdateScript { EnableCheck, Version, FileList, Download, BrowserDownload, News };

// The path of a script in the edition's server folder:
// "/versions/KESTRA2019/getkestraver.php".
std::string UpdatePath(const Edition& edition, UpdateScript script);

// The request for a script: the service test waits 5000 ms for the
// connection and for the reply, the later requests up to 10000 ms for the
// reply; each body is bounded to what its reply can reasonably be.
HttpRequest UpdateRequest(const Edition& edition, UpdateScript script);

inline constexpr char kUpdateFolder[] = "Upgrade";
inline constexpr char kInstallerPath[] = "Upgrade/Setup.exe";
// A shorter installer reply is an error page, not a program.
inline constexpr size_t kSmallestInstaller = 1001;

// The service test: checking is enabled exactly when the body is "OK".
bool CheckingEnabled(const HttpReply& reply);

// The version reply as text: nullopt when it holds control characters (a
// binary or garbled reply). A line break at its end is not part of it.
std::optional<std::string> ReadVersionReply(std::string_view body);

// Newer exactly when `server` sorts after `own` by character codes; an empty
// reply is never newer.
bool IsNewerVersion(std::string_view server, std::string_view own);

// The file list: a count N, then N name/size pairs, every field followed by
// "<br/>". The sum of the sizes, or nullopt when the count or a size is not
// a whole number, or the list ends before its N entries.
std::optional<int64_t> ReadFileListTotal(std::string_view body);

// The installer reply: its bytes when long enough to be a program.
std::optional<std::string_view> ReadInstallerReply(std::string_view body);

// 1234567 -> "1.234.567".
std::string ThousandsDots(int64_t n);

// What the status panels and progress bars of the update windows show.
struct TransferView {
    std::string received;          // panel 0, "Παραλήφθησαν 1.234 Bytes"
    std::string total;             // panel 1, "από σύνολο 5.000 Bytes"
    std::optional<int> percent;    // the bars, 0..100; unchanged when absent
};

// Program-wide byte counters of the update, never reset while it runs.
struct TransferCounters {
    int64_t LastWorkCount = 0;     // bytes of the transfer in progress
    int64_t DownloadReceived = 0;  // bytes of the finished transfers
    int64_t DownloadTotal = 0;     // sizes announced by the file list

    // Progress of the transfer in progress.
    void Progress(int64_t bytes) { LastWorkCount = bytes; }
    // The end of a transfer adds its bytes; the view to show then.
    TransferView TransferEnd();
    // What to show while a transfer runs: the finished bytes and the
    // ones of the transfer in progress.
    TransferView DuringTransfer() const;
};

// Panels and bars for `received` bytes of `total`: more received than
// announced clears the panels.
TransferView ViewOfTransfer(int64_t received, int64_t total);

// Texts of the update.
inline constexpr char kNewVersionQuestion[] =
    "Υπάρχει νέα έκδοση της εφαρμογής.\r\n Η διαδικασία ενημέρωσης θα διαρκέσει πολύ λίγο χρόνο. "
    "Θέλετε να την κατεβάσετε τώρα;";
inline constexpr char kNoNewerVersion[] = "Δεν υπάρχει νεότερη έκδοση της εφαρμογής";
inline constexpr char kDownloadingDetails[] = "Κατέβασμα των δεδομένων...";
inline constexpr char kWritingDetails[] = "Δημιουργία του εκτελέσιμου αρχείου...";
// The message of every error after the service test.
std::string UpdateFailedMessage();

}  // namespace kestrana
