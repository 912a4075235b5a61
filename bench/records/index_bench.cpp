// The declarations scan over 10,000 E1 files against a bare loop that only
// opens and reads the same files.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "records/declarations_index.h"
#include "records/e1_record.h"
#include "records/record_files.h"

namespace {

namespace fs = std::filesystem;
constexpr int kFiles = 10000;

// Generated once per run and removed at exit.
struct TablesFixture {
    std::string base;
    TablesFixture() {
        base = (fs::temp_directory_path() / ("kestrana_bench_" + std::to_string(::getpid()))).string();
        fs::create_directories(base + "/Tables");
        kestrana::E1Record r;
        for (int i = 0; i < kFiles; ++i) {
            std::string afm = std::to_string(100000000 + i);
            r.SetText("edAFM", afm);
            r.SetText("edBigName", "ΠΑΠΑΔΟΠΟΥΛΟΣ " + std::to_string(i % 997));
            r.SetText("edName", "ΓΙΩΡΓΟΣ");
            r.SetCode(0, 301, 15000 + i);
            // Plain writes: the atomic save syncs every file, which only slows the setup.
            std::ofstream(kestrana::E1FileName(afm, base), std::ios::binary)
                .write(reinterpret_cast<const char*>(r.Data()), static_cast<std::streamsize>(r.kSize));
        }
    }
    ~TablesFixture() { fs::remove_all(base); }
    std::string Tables() const { return base + "/Tables"; }
};

const TablesFixture& Fixture() {
    static TablesFixture f;
    return f;
}

void BM_IndexScan(benchmark::State& state) {
    std::string tables = Fixture().Tables();
    for (auto _ : state) {
        auto scan = kestrana::ListE1Files(tables);
        benchmark::DoNotOptimize(scan.lines.data());
        if (scan.lines.size() != kFiles) state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_IndexScan)->Unit(benchmark::kMillisecond);

void BM_IndexScanAndSort(benchmark::State& state) {
    std::string tables = Fixture().Tables();
    for (auto _ : state) {
        auto grid = kestrana::IndexGrid(kestrana::ListE1Files(tables).lines);
        kestrana::SortGrid(grid, 1, 0, kestrana::kSortText, 0, true);
        benchmark::DoNotOptimize(grid.data());
    }
}
BENCHMARK(BM_IndexScanAndSort)->Unit(benchmark::kMillisecond);

void BM_BareOpenAndRead(benchmark::State& state) {
    std::string tables = Fixture().Tables();
    static uint8_t buf[6991];
    for (auto _ : state) {
        size_t total = 0;
        DIR* d = ::opendir(tables.c_str());
        while (dirent* e = ::readdir(d)) {
            if (e->d_name[0] == '.') continue;
            std::string path = tables + "/" + e->d_name;
            int fd = ::open(path.c_str(), O_RDONLY);
            if (fd < 0) continue;
            ssize_t n = ::read(fd, buf, sizeof buf);
            ::close(fd);
            if (n > 0) total += static_cast<size_t>(n);
        }
        ::closedir(d);
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_BareOpenAndRead)->Unit(benchmark::kMillisecond);

}  // namespace
