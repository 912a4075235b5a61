#include "records/real48.h"

#include <cmath>

#include "records/errors.h"

namespace kestrana {

Real48Bytes EncodeReal48(long double value) {
    Real48Bytes out{};
    if (value == 0) return out;
    if (!std::isfinite(value)) throw FloatOverflowError();
    bool negative = std::signbit(value);
    int k = 0;
    long double m = std::frexp(std::fabs(value), &k);  // 0.5 <= m < 1
    // The full 64-bit mantissa with its leading 1 in bit 63.
    uint64_t mant = static_cast<uint64_t>(std::ldexp(m, 64));
    k -= 1;  // value = (mant / 2^63) * 2^k
    uint64_t kept = (mant >> 24) + ((mant >> 23) & 1u);
    if (kept >> 40) {
        kept >>= 1;
        ++k;
    }
    int e = k + 129;
    if (e <= 0) return out;
    if (e > 255) throw FloatOverflowError();
    uint64_t fraction = kept & ((uint64_t{1} << 39) - 1);
    uint32_t word = static_cast<uint32_t>(fraction >> 8);
    if (negative) word |= 0x80000000u;
    out[0] = static_cast<uint8_t>(e);
    out[1] = static_cast<uint8_t>(fraction & 0xFF);
    out[2] = static_cast<uint8_t>(word);
    out[3] = static_cast<uint8_t>(word >> 8);
    out[4] = static_cast<uint8_t>(word >> 16);
    out[5] = static_cast<uint8_t>(word >> 24);
    return out;
}

void EncodeReal48(long double value, uint8_t* out6) {
    Real48Bytes b = EncodeReal48(value);
    for (int i = 0; i < 6; ++i) out6[i] = b[static_cast<size_t>(i)];
}

double DecodeReal48(const uint8_t* b) {
    if (b[0] == 0) return 0.0;
    uint32_t word = static_cast<uint32_t>(b[2]) | static_cast<uint32_t>(b[3]) << 8 |
                    static_cast<uint32_t>(b[4]) << 16 | static_cast<uint32_t>(b[5]) << 24;
    uint64_t fraction = (static_cast<uint64_t>(word & 0x7FFFFFFFu) << 8) | b[1];
    uint64_t mant = (uint64_t{1} << 39) | fraction;  // 40 bits: exact in a double
    double v = std::ldexp(static_cast<double>(mant), static_cast<int>(b[0]) - 129 - 39);
    return (word & 0x80000000u) ? -v : v;
}

}  // namespace kestrana
