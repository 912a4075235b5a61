// The service test and the version reply of any bytes: "OK" alone enables
// the check; a version read is text that the comparison orders strictly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "update/update_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrana;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (CheckingEnabled(HttpReply{HttpError::None, 200, bytes, ""}) != (bytes == "OK")) std::abort();
    const auto version = ReadVersionReply(bytes);
    if (!version) return 0;
    if (!bytes.starts_with(*version)) std::abort();
    for (unsigned char c : *version)
        if (c < 0x20 || c == 0x7F) std::abort();
    for (const char* own : {"2019 (ver 2.00)", "2018 (ver 6.00)"}) {
        const bool newer = IsNewerVersion(*version, own);
        if (newer && IsNewerVersion(own, *version)) std::abort();
        if (*version == own && newer) std::abort();
        if (version->empty() && newer) std::abort();
    }
    return 0;
}
