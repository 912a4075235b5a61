// Real48 decoding of any six bytes; a decoded value stores back as the same
// bytes (only the zero encodings, exponent byte 0, collapse to zeros).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "records/real48.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrana;
    for (size_t at = 0; at + 6 <= size; at += 6) {
        const uint8_t* b = data + at;
        double v = DecodeReal48(b);
        Real48Bytes back = EncodeReal48(v);
        if (b[0] == 0) {
            if (v != 0) std::abort();
            continue;
        }
        if (std::memcmp(back.data(), b, 6) != 0) std::abort();
    }
    return 0;
}
