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

// A name that starts with "E1"/"E2" (any case) decides (Tables/E1<afm>.dta); otherwise the
// exact record size, then "E1"/"E2" anywhere in the name, as the index does.
// Returns false with `why` set when the kind is unknown or the file too short.
bool DetectKind(const std::string& path, size_t size, kestrana::DeclarationKind& kind, std::string& why) {
    using kestrana::DeclarationKind;
    const std::string name = std::filesystem::path(path).filename().string();
    auto take = [&](DeclarationKind k) {
        const size_t need = kestrana::RecordSizeOf(k);
        if (size < need) {
            why = std::to_string(size) + " bytes, shorter than an " + kestrana::KindPrefix(k) +
                  " record (" + std::to_string(need) + ")";
            return false;
        }
        kind = k;
        return true;
    };
    const bool prefixE = name.size() >= 2 && (name[0] == 'E' || name[0] == 'e');
    if (prefixE && name[1] == '1') return take(DeclarationKind::E1);
    if (prefixE && name[1] == '2') return take(DeclarationKind::E2);
    if (size == kestrana::RecordSizeOf(DeclarationKind::E1)) return take(DeclarationKind::E1);
    if (size == kestrana::RecordSizeOf(DeclarationKind::E2)) return take(DeclarationKind::E2);
    const bool e1 = kestrana::IsDeclarationFileName(name, DeclarationKind::E1);
    const bool e2 = kestrana::IsDeclarationFileName(name, DeclarationKind::E2);
    if (e1 != e2) return take(e1 ? DeclarationKind::E1 : DeclarationKind::E2);
    why = std::to_string(size) + " bytes; not an E1 (6991) or E2 (7620) declaration file";
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
    if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
        std::fprintf(stderr, "kestrana-calc dump: %s: not a regular file\n", path.c_str());
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
    std::string why;
    bool known = false;
    if (forced) {
        // --e1/--e2 stand for the name's prefix.
        known = DetectKind(forced == 1 ? "E1" : "E2", bytes.size(), kind, why);
    } else {
        known = DetectKind(path, bytes.size(), kind, why);
    }
    if (!known) {
        std::fprintf(stderr, "kestrana-calc dump: %s: %s\n", path.c_str(), why.c_str());
        return 1;
    }
    std::string json = kestrana::RecordToJson(kind, bytes);
    std::fwrite(json.data(), 1, json.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
