#include "platform/paths.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace kestrana {

namespace fs = std::filesystem;

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// The parts of a relative path; nullopt when it is absolute or climbs out.
std::optional<std::vector<std::string>> SplitRelative(std::string_view path) {
    std::vector<std::string> parts;
    if (!path.empty() && (path.front() == '/' || path.front() == '\\')) return std::nullopt;
    if (path.size() >= 2 && path[1] == ':') return std::nullopt;  // "C:..."
    std::string part;
    auto flush = [&]() -> bool {
        if (part == "..") return false;
        if (!part.empty() && part != ".") parts.push_back(part);
        part.clear();
        return true;
    };
    for (char c : path) {
        if (c == '/' || c == '\\') {
            if (!flush()) return std::nullopt;
        } else {
            part += c;
        }
    }
    if (!flush()) return std::nullopt;
    return parts;
}

// The entry of `dir` spelled like `name` up to letter case.
std::optional<std::string> MatchEntry(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    if (fs::exists(dir / name, ec)) {
        // Exact spelling present (or the file system ignores case itself).
        return name;
    }
    std::vector<std::string> matches;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (EqualNoCase(entry, name)) matches.push_back(std::move(entry));
    }
    if (matches.empty()) return std::nullopt;
    return *std::min_element(matches.begin(), matches.end());
}

}  // namespace

fs::path ProgramFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return {};
    return exe.parent_path();
}

bool MakeProgramFolderCurrent() {
    fs::path folder = ProgramFolder();
    if (folder.empty()) return false;
    std::error_code ec;
    fs::current_path(folder, ec);
    return !ec;
}

std::string NativePath(std::string_view path) {
    std::string out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::optional<fs::path> FindCaseInsensitive(const fs::path& folder, std::string_view relativePath) {
    auto parts = SplitRelative(relativePath);
    if (!parts) return std::nullopt;
    fs::path at = folder;
    for (const std::string& part : *parts) {
        auto entry = MatchEntry(at, part);
        if (!entry) return std::nullopt;
        at /= *entry;
    }
    std::error_code ec;
    if (!fs::exists(at, ec)) return std::nullopt;
    return at;
}

fs::path ResolveCaseInsensitive(const fs::path& folder, std::string_view relativePath) {
    auto parts = SplitRelative(relativePath);
    if (!parts) return {};
    fs::path at = folder;
    bool found = true;
    for (const std::string& part : *parts) {
        std::optional<std::string> entry;
        if (found) entry = MatchEntry(at, part);
        found = entry.has_value();
        at /= found ? *entry : part;
    }
    return at;
}

}  // namespace kestrana
