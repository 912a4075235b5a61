// One clearance of a joint declaration: salaries, rents, a business, a
// car, a residence.
#include <benchmark/benchmark.h>

#include "editions/edition.h"
#include "engine/engine_state.h"

namespace {

kestrana::EngineState Declaration() {
    kestrana::EngineState s;
    auto& c = s.CodeValue;
    c[301] = 28000;  // salaries
    c[302] = 16500;
    c[315] = 4200;   // withheld
    c[316] = 1800;
    c[49] = 6000;    // receipts
    c[50] = 3500;
    c[3] = 2;        // dependants
    c[101] = 7200;   // rents
    c[103] = 3000;
    c[402] = 9000;   // spouse's business
    c[115] = 2400;   // main residence
    c[851] = 2100;   // car
    c[55] = 900;     // medical expenses
    c[61] = 300;
    c[901] = 400;
    s.Married = true;
    s.LuxuryTax5[kestrana::T] = 105;
    return s;
}

void BM_ComputeClearance(benchmark::State& state, const kestrana::Edition& edition) {
    kestrana::EngineState s = Declaration();
    for (auto _ : state) {
        kestrana::ComputeClearance(s, edition);
        benchmark::DoNotOptimize(s.FinalBalance);
        benchmark::ClobberMemory();
    }
}

BENCHMARK_CAPTURE(BM_ComputeClearance, edition2019, kestrana::Edition2019());
BENCHMARK_CAPTURE(BM_ComputeClearance, edition2018, kestrana::Edition2018());

}  // namespace
