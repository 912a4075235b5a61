// The file list of any bytes: a total is never negative, and what follows
// the counted entries does not change it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "update/update_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrana;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto total = ReadFileListTotal(bytes);
    if (!total) return 0;
    if (*total < 0) std::abort();
    if (ReadFileListTotal(bytes + "<br/>tail<br/>x<br/>") != total) std::abort();
    return 0;
}
