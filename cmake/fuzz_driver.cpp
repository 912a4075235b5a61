// Stand-in for libFuzzer in ordinary builds: feeds the target random byte
// strings and mutations of them, deterministically seeded, so a regression
// that crashes a reader shows up in ctest without clang. Folders given after
// the run count hold seed inputs: each is fed as it is, and fresh inputs
// alternate between random bytes and a seed to mutate.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    std::vector<std::vector<uint8_t>> seeds;
    std::vector<std::filesystem::path> seedFiles;
    for (int a = 2; a < argc; ++a) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(argv[a], ec))
            if (entry.is_regular_file()) seedFiles.push_back(entry.path());
    }
    std::sort(seedFiles.begin(), seedFiles.end());  // the same run every time
    for (const auto& file : seedFiles) {
        std::ifstream in(file, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(seeds.back().data(), seeds.back().size());
    }
    std::mt19937_64 rng(0x4B455354u);
    std::vector<uint8_t> buf;
    for (long i = 0; i < runs; ++i) {
        if (!seeds.empty() && i % 8 == 4) {
            buf = seeds[rng() % seeds.size()];
        } else if (i % 4 == 0 || buf.empty()) {
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
