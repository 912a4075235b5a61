// Deductions from income, their category shares and the taxable income.
#include "engine_test_util.h"

namespace kestrana::test {
namespace {

using DeductionTest = BothEditions;

TEST_P(DeductionTest, DonationsLimitedTo10PercentAndShared) {
    EngineState s = Run({{{61, 5000}, {301, 20000}}});
    EXPECT_DOUBLE_EQ(s.DeductionDonations[T], 2000);
    EXPECT_DOUBLE_EQ(s.IncomeDeductions[T], 2000);
    EXPECT_DOUBLE_EQ(s.FinalTaxableIncome[T], 18000);

    s = Run({{{61, 1000}, {301, 10000}, {103, 10000}}});
    EXPECT_NEAR(s.DeductionShare[T][0], 1000 * 9500 / 19500.0, 1e-9);
    EXPECT_NEAR(s.DeductionShare[T][3], 1000 * 10000 / 19500.0, 1e-9);
}

TEST(Deductions2019, Code663CappedByTheBaseThenByIncome) {
    const EngineState s = Compute({{{663, 50000}, {301, 30000}}});
    EXPECT_DOUBLE_EQ(s.DeductionCode663[T], 30000);
    EXPECT_DOUBLE_EQ(s.IncomeDeductions[T], 30000);  // 30000 + 0, limited to the income
    EXPECT_DOUBLE_EQ(s.FinalTaxableIncome[T], 0);
    const EngineState both = Compute({{{663, 50000}, {61, 5000}, {301, 30000}}});
    EXPECT_DOUBLE_EQ(both.IncomeDeductions[T], 30000);
}

TEST(Deductions2018, Code663NeedsTheTicksAndIsScaled) {
    struct Case {
        int tick;
        double expected;
    } cases[] = {{0, 0}, {33, 0.4 * 6000}, {35, 0.2 * 6000}};
    for (const Case& c : cases) {
        const EngineState s = Compute({{{663, 50000}, {301, 30000}, {c.tick, c.tick ? 1 : 0}}}, Edition2018());
        EXPECT_DOUBLE_EQ(s.DeductionCode663[T], c.expected) << c.tick;
    }
}

TEST(Deductions2018, Code025LowersTheTaxableIncomeOnly) {
    const EngineState s18 = Compute({{{401, 10000}, {25, 1}}}, Edition2018());
    const EngineState s19 = Compute({{{401, 10000}, {25, 1}}}, Edition2019());
    EXPECT_DOUBLE_EQ(s18.FinalTaxableIncome[T], 8000);
    EXPECT_DOUBLE_EQ(s19.FinalTaxableIncome[T], 10000);
    EXPECT_DOUBLE_EQ(s18.ScaleTax[T], s19.ScaleTax[T]);
}

TEST_P(DeductionTest, RestrictedReliefsGetNoDeductions) {
    const EngineState s = Run({{{319, 1}, {61, 5000}, {663, 5000}, {301, 20000}, {33, 1}}});
    EXPECT_TRUE(s.RestrictedReliefs[T]);
    EXPECT_EQ(s.IncomeDeductions[T], 0);
    EXPECT_EQ(s.DeductionShare[T][3], 0);
}

TEST_P(DeductionTest, Code329HidesTheDeductionsButNotTheShares) {
    const EngineState s = Run({{{329, 1}, {61, 1000}, {301, 20000}}});
    EXPECT_EQ(s.IncomeDeductions[T], 0);
    EXPECT_DOUBLE_EQ(s.DeductionDonations[T], 1000);
    EXPECT_DOUBLE_EQ(s.FinalTaxableIncome[T], 20000);
    EXPECT_DOUBLE_EQ(s.ScaleTax[T], 0.22 * 19000);  // taxed net of the share
}

TEST_P(DeductionTest, Code307MovesToBusiness) {
    const EngineState s = Run({{{301, 6000}, {307, 4000}, {61, 1000}}});
    // Categories: business 4000, salary 6000 (of 10000).
    EXPECT_NEAR(s.DeductionShare[T][1], 400, 1e-9);
    EXPECT_NEAR(s.DeductionShare[T][3], 600, 1e-9);
}

KESTRANA_BOTH_EDITIONS(DeductionTest);

}  // namespace
}  // namespace kestrana::test
