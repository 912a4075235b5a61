#pragma once
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "editions/edition.h"
#include "engine/engine_state.h"

namespace kestrana::test {

struct Declaration {
    std::vector<std::pair<int, double>> codes;
    bool married = false;
    int lateMonths = 0;
};

inline EngineState Compute(const Declaration& d, const Edition& e = Edition2019()) {
    EngineState s;
    for (const auto& [code, value] : d.codes) s.CodeValue[code] = value;
    s.Married = d.married;
    s.LateMonths = d.lateMonths;
    ComputeClearance(s, e);
    return s;
}

// Runs a test body once per edition.
class BothEditions : public ::testing::TestWithParam<int> {
protected:
    const Edition& edition() const { return EditionForYear(GetParam()); }
    EngineState Run(const Declaration& d) const { return Compute(d, edition()); }
};

inline std::string EditionName(const ::testing::TestParamInfo<int>& info) {
    return "Edition" + std::to_string(info.param);
}

#define KESTRANA_BOTH_EDITIONS(suite) \
    INSTANTIATE_TEST_SUITE_P(Editions, suite, ::testing::Values(2019, 2018), ::kestrana::test::EditionName)

}  // namespace kestrana::test
