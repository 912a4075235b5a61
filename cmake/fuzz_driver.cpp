// Stand-in for libFuzzer in ordinary builds: feeds the target random byte
// strings and mutations of them, deterministically seeded, so a regression
// that crashes a reader shows up in ctest without clang.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    std::mt19937_64 rng(0x4B455354u);
    std::vector<uint8_t> buf;
    for (long i = 0; i < runs; ++i) {
        if (i % 4 == 0 || buf.empty()) {
            // Fresh input; sizes reach past the larger record (7620 bytes).
            size_t n = rng() % (i % 16 == 0 ? 8192 : 64);
            buf.resize(n);
            for (auto& b : buf) b = static_cast<uint8_t>(rng());
        } else {
            // Mutate: flip, insert, erase or overwrite with a boundary byte.
            switch (rng() % 4) {
                case 0: buf[rng() % buf.size()] ^= static_cast<uint8_t>(1u << (rng() % 8)); break;
                case 1: buf.insert(buf.begin() + static_cast<long>(rng() % (buf.size() + 1)), static_cast<uint8_t>(rng())); break;
                case 2: buf.erase(buf.begin() + static_cast<long>(rng() % buf.size())); break;
                default: {
                    static const uint8_t edge[] = {0, 1, 0x7F, 0x80, 0xFF, '-', ',', '.', '0', '9', ';', '\n'};
                    buf[rng() % buf.size()] = edge[rng() % sizeof edge];
                }
            }
        }
        LLVMFuzzerTestOneInput(buf.data(), buf.size());
    }
    std::printf("fuzz driver: %ld inputs, no crash\n", runs);
    return 0;
}
