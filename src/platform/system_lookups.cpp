#include "platform/system_lookups.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/file_ops.h"

namespace kestrana {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::filesystem::path SettingsFile() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "kestrana" / "platform.ini";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".config" / "kestrana" / "platform.ini";
    return {};
}

// Windows reads the name into 255 characters including the terminator.
constexpr size_t kLoginNameCharacters = 254;

}  // namespace

std::optional<std::string> FindSetting(std::string_view text, std::string_view name) {
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        if (EqualNoCase(Trim(line.substr(0, eq)), name)) return std::string(Trim(line.substr(eq + 1)));
    }
    return std::nullopt;
}

std::string GetProgramFilesDir() {
    if (const char* value = std::getenv("KESTRANA_PROGRAMFILESDIR")) return value;
    std::filesystem::path file = SettingsFile();
    if (file.empty()) return {};
    auto text = ReadWholeFile(file);
    if (!text) return {};
    return FindSetting(*text, "ProgramFilesDir").value_or(std::string());
}

std::string CleanLoginName(std::string_view raw) {
    std::string out;
    size_t characters = 0;
    for (size_t i = 0; i < raw.size();) {
        unsigned char lead = static_cast<unsigned char>(raw[i]);
        size_t len = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
        if (i + len > raw.size()) len = raw.size() - i;
        if (characters == kLoginNameCharacters) break;
        ++characters;
        if (!(len == 1 && raw[i] == '.')) out.append(raw.substr(i, len));
        i += len;
    }
    return out;
}

std::string GetLoginName() {
    // The user the program runs as, as Windows reports the process's user;
    // the session's login name when the user database has no entry.
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name &&
        *found->pw_name)
        return CleanLoginName(found->pw_name);
    char name[256] = {};
    if (::getlogin_r(name, sizeof name) == 0 && name[0]) return CleanLoginName(name);
    return "Unknown";
}

}  // namespace kestrana
