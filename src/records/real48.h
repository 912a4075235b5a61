#pragma once
// The 6-byte real of the declaration files: byte 0 exponent (bias 129, 0 means
// zero), then 39 fraction bits little-endian with the sign in the top bit.
#include <array>
#include <cstdint>

namespace kestrana {

using Real48Bytes = std::array<uint8_t, 6>;

// Rounds the mantissa at its 41st bit (half up in magnitude). Magnitudes
// below 2^-128 give zero; 2^127 and above, and NaN/infinity, throw
// FloatOverflowError.
Real48Bytes EncodeReal48(long double value);
void EncodeReal48(long double value, uint8_t* out6);

double DecodeReal48(const uint8_t* bytes6);
inline double DecodeReal48(const Real48Bytes& b) { return DecodeReal48(b.data()); }

}  // namespace kestrana
