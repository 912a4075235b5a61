// Random declarations, negative and huge amounts included: every result
// stays finite in both editions.
#include <cmath>
#include <random>

#include "engine_test_util.h"

namespace kestrana::test {
namespace {

double RandomAmount(std::mt19937_64& rng) {
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_real_distribution<double> unit(0, 1);
    switch (pick(rng)) {
        case 0: return 1;                              // a tick
        case 1: return std::round(unit(rng) * 20) - 5;  // kinds, counts, months
        case 2: return -unit(rng) * 1e5;
        case 3: return unit(rng) * 1e7;
        case 4: return (unit(rng) - 0.5) * 3.4e38;      // the range of the file format
        case 5: return (unit(rng) < 0.5 ? -1 : 1) * 1.7976931348623157e308;
        case 6: return (unit(rng) - 0.5) * 1e300;
        default: return std::round(unit(rng) * 5e6) / 100;
    }
}

TEST(Sweep, EveryResultFiniteForAnyFiniteInput) {
    std::mt19937_64 rng(20190101);
    std::uniform_int_distribution<int> codeOf(0, 1000);
    std::uniform_int_distribution<int> countOf(1, 120);
    for (int run = 0; run < 20000; ++run) {
        EngineState s;
        const int count = countOf(rng);
        for (int i = 0; i < count; ++i) s.CodeValue[codeOf(rng)] = RandomAmount(rng);
        s.Married = run % 3 == 0;
        s.LateMonths = run % 5 == 0 ? static_cast<int>(rng() % 256) : 0;
        for (int p = T; p <= S; ++p) {
            s.FeeExempt[p] = rng() % 4 == 0;
            s.FeeLargeCity[p] = rng() % 4 == 0;
            s.FeeTouristTown[p] = rng() % 4 == 0;
            s.LuxuryTax5[p] = RandomAmount(rng);
            s.LuxuryTax13[p] = RandomAmount(rng);
        }
        const Edition& e = run % 2 ? Edition2018() : Edition2019();
        ComputeClearance(s, e);
        ForEachResult(s, [&](const char* name, const double* values, int n) {
            for (int i = 0; i < n; ++i)
                ASSERT_TRUE(std::isfinite(values[i])) << name << "[" << i << "] run " << run;
        });
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace kestrana::test
