#include "update/update_protocol.h"

#include <algorithm>
#include <charconv>

#include "editions/edition.h"

namespace kestrana {

namespace {

constexpr std::string_view kSeparator = "<br/>";

std::string_view ScriptName(UpdateScript script) {
    switch (script) {
        case UpdateScript::EnableCheck: return "enableinternetcheck.php";
        case UpdateScript::Version: return "getkestraver.php";
        case UpdateScript::FileList: return "httpfilelist.php?cp=*.txt";
        case UpdateScript::Download: return "httpdnld.php";
        case UpdateScript::BrowserDownload: return "dnldnewkestraver.php";
        case UpdateScript::News: return "editorial.html";
    }
    return {};
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A field of the file list as a whole number of bytes (blanks around it
// allowed); nullopt for anything else, a sign or an overflow included.
std::optional<int64_t> WholeNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

// The next field and its separator taken off the front of `rest`.
std::optional<std::string_view> TakeField(std::string_view& rest) {
    size_t end = rest.find(kSeparator);
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end + kSeparator.size());
    return field;
}

// received * 100 / total to the nearest integer, a half to the even one, at
// most 100.
int Percent(int64_t received, int64_t total) {
    __int128 scaled = static_cast<__int128>(received) * 100;
    __int128 q = scaled / total, twiceRest = (scaled % total) * 2;
    if (twiceRest > total || (twiceRest == total && q % 2 != 0)) ++q;
    return static_cast<int>(std::clamp<__int128>(q, 0, 100));
}

}  // namespace

std::string UpdatePath(const Edition& edition, UpdateScript script) {
    return edition.serverFolder + std::string(ScriptName(script));
}

HttpRequest UpdateRequest(const Edition& edition, UpdateScript script) {
    HttpRequest r;
    r.path = UpdatePath(edition, script);
    r.connectTimeoutMs = 5000;
    r.readTimeoutMs = script == UpdateScript::EnableCheck ? 5000 : 10000;
    switch (script) {
        case UpdateScript::EnableCheck:
        case UpdateScript::Version: r.maxBodyBytes = 256; break;
        case UpdateScript::FileList: r.maxBodyBytes = 64 * 1024; break;
        case UpdateScript::Download: r.maxBodyBytes = size_t{256} << 20; break;
        case UpdateScript::News: r.maxBodyBytes = size_t{2} << 20; break;
        case UpdateScript::BrowserDownload: break;
    }
    return r;
}

bool CheckingEnabled(const HttpReply& reply) { return reply.Ok() && reply.body == "OK"; }

std::optional<std::string> ReadVersionReply(std::string_view body) {
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.remove_suffix(1);
    for (char c : body) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return std::nullopt;
    }
    return std::string(body);
}

bool IsNewerVersion(std::string_view server, std::string_view own) {
    // std::char_traits<char> compares as unsigned char: character codes.
    return server.compare(own) > 0;
}

std::optional<int64_t> ReadFileListTotal(std::string_view body) {
    std::string_view rest = body;
    auto countField = TakeField(rest);
    if (!countField) return std::nullopt;
    auto count = WholeNumber(*countField);
    if (!count) return std::nullopt;
    int64_t total = 0;
    for (int64_t i = 0; i < *count; ++i) {
        if (!TakeField(rest)) return std::nullopt;  // the name, unused
        auto sizeField = TakeField(rest);
        if (!sizeField) return std::nullopt;
        auto size = WholeNumber(*sizeField);
        if (!size || __builtin_add_overflow(total, *size, &total)) return std::nullopt;
    }
    return total;
}

std::optional<std::string_view> ReadInstallerReply(std::string_view body) {
    if (body.size() < kSmallestInstaller) return std::nullopt;
    return body;
}

std::string ThousandsDots(int64_t n) {
    const bool negative = n < 0;
    std::string digits = std::to_string(negative ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n));
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
        out += digits[i];
    }
    return negative ? "-" + out : out;
}

TransferView ViewOfTransfer(int64_t received, int64_t total) {
    TransferView v;
    if (total < received) {
        v.percent = total > 0 ? Percent(received, total) : 0;
        return v;
    }
    v.received = "Παραλήφθησαν " + ThousandsDots(received) + " Bytes";
    v.total = "από σύνολο " + ThousandsDots(total) + " Bytes";
    if (total > 0) v.percent = Percent(received, total);
    return v;
}

TransferView TransferCounters::TransferEnd() {
    DownloadReceived += LastWorkCount;
    LastWorkCount = 0;  // no transfer in progress now
    return ViewOfTransfer(DownloadReceived, DownloadTotal);
}

TransferView TransferCounters::DuringTransfer() const {
    return ViewOfTransfer(DownloadReceived + LastWorkCount, DownloadTotal);
}

std::string UpdateFailedMessage() {
    return "ΠΡΟΣΟΧΗ !! \r\n"
           " Δημιουργήθηκε κάποιο πρόβλημα με την εγγραφή των δεδομένων και η αναβάθμιση δεν έγινε.\r\n"
           " Προσπαθείστε πάλι εκτελώντας τη συντόμευση ως εξής : \r\n"
           " Κάνετε κλικ με το δεξί πλήκτρο του ποντικιού πάνω στο εικονίδιο και επιλέξτε την διαδικασία \r\n"
           "\"εκτέλεση ώς διαχειριστής\" (run as administrator) ";
}

}  // namespace kestrana
