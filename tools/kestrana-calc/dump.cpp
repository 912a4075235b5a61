// kestrana-calc dump FILE [--e1|--e2]: a declaration file as JSON on stdout.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "records/record_json.h"
#include "verbs.h"

namespace {

constexpr size_t kE1Size = 6991;
constexpr size_t kE2Size = 7620;

// By exact size first, then by the file name ("E1..."/"E2..." or containing it).
bool DetectKind(const std::string& path, size_t size, kestrana::DeclarationKind& kind) {
    using kestrana::DeclarationKind;
    if (size == kE1Size) { kind = DeclarationKind::E1; return true; }
    if (size == kE2Size) { kind = DeclarationKind::E2; return true; }
    std::string name = std::filesystem::path(path).filename().string();
    bool e1 = size >= kE1Size, e2 = size >= kE2Size;
    if (name.rfind("E2", 0) == 0 && e2) { kind = DeclarationKind::E2; return true; }
    if (name.rfind("E1", 0) == 0 && e1) { kind = DeclarationKind::E1; return true; }
    if (name.find("E2") != std::string::npos && e2) { kind = DeclarationKind::E2; return true; }
    if (name.find("E1") != std::string::npos && e1) { kind = DeclarationKind::E1; return true; }
    return false;
}

}  // namespace

int DumpMain(int argc, char** argv) {
    std::string path;
    int forced = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--e1")) forced = 1;
        else if (!std::strcmp(argv[i], "--e2")) forced = 2;
        else if (path.empty()) path = argv[i];
        else {
            std::fprintf(stderr, "kestrana-calc dump: one file at a time\n");
            return 1;
        }
    }
    if (path.empty()) {
        std::fprintf(stderr, "usage: kestrana-calc dump FILE [--e1|--e2]\n");
        return 1;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        std::fprintf(stderr, "kestrana-calc dump: %s: is a folder, not a declaration file\n", path.c_str());
        return 1;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "kestrana-calc dump: %s: cannot open: %s\n", path.c_str(), std::strerror(errno));
        return 1;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        std::fprintf(stderr, "kestrana-calc dump: %s: read error\n", path.c_str());
        return 1;
    }
    kestrana::DeclarationKind kind{};
    if (forced) {
        kind = forced == 1 ? kestrana::DeclarationKind::E1 : kestrana::DeclarationKind::E2;
        if (bytes.size() < (forced == 1 ? kE1Size : kE2Size)) {
            std::fprintf(stderr, "kestrana-calc dump: %s: %zu bytes, shorter than an %s record (%zu)\n",
                         path.c_str(), bytes.size(), forced == 1 ? "E1" : "E2", forced == 1 ? kE1Size : kE2Size);
            return 1;
        }
    } else if (!DetectKind(path, bytes.size(), kind)) {
        std::fprintf(stderr,
                     "kestrana-calc dump: %s: %zu bytes; not an E1 (6991) or E2 (7620) declaration file\n",
                     path.c_str(), bytes.size());
        return 1;
    }
    std::string json = kestrana::RecordToJson(kind, bytes);
    std::fwrite(json.data(), 1, json.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
