// The installer reply of any bytes, and the counters fed with byte counts
// taken from them: accepted exactly from 1001 bytes on, whole; panels are
// both empty or both filled, bars stay within 0..100.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "update/update_protocol.h"

namespace {

void CheckView(const kestrana::TransferView& v) {
    if (v.received.empty() != v.total.empty()) std::abort();
    if (!v.received.empty() && (!v.received.starts_with("Παραλήφθησαν ") || !v.total.starts_with("από σύνολο ")))
        std::abort();
    if (v.percent && (*v.percent < 0 || *v.percent > 100)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrana;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto installer = ReadInstallerReply(bytes);
    if (installer.has_value() != (size >= 1001)) std::abort();
    if (installer && (installer->size() != size || installer->data() != bytes.data())) std::abort();

    // Every 4 bytes a count below 2^32: first the announced total, then transfers.
    TransferCounters counters;
    for (size_t at = 0; at + 4 <= size && at < 4 * 64; at += 4) {
        uint32_t n;
        std::memcpy(&n, data + at, 4);
        if (at == 0) {
            counters.DownloadTotal = n;
            continue;
        }
        counters.Progress(n);
        CheckView(counters.DuringTransfer());
        CheckView(counters.TransferEnd());
        std::string dots = ThousandsDots(n), digits;
        for (char c : dots)
            if (c != '.') digits += c;
        if (digits != std::to_string(n)) std::abort();
    }
    return 0;
}
