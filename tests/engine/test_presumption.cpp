// Presumed expenses, the added difference and where it is taxed.
#include <cmath>

#include "engine_test_util.h"

namespace kestrana::test {
namespace {

using PresumptionTest = BothEditions;

TEST_P(PresumptionTest, NoIncomeGivesTheBasicPresumptionAsSalary) {
    const EngineState s = Run({{{5, 1}}});
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[T], 3000);
    EXPECT_DOUBLE_EQ(s.AddedDifference[T], 3000);
    EXPECT_DOUBLE_EQ(s.AddedDiffSalary[T], 3000);
    EXPECT_DOUBLE_EQ(s.FinalTaxableIncome[T], 3000);
}

TEST_P(PresumptionTest, Code385EndsTheStageAndLeaves661Alone) {
    const EngineState s = Run({{{385, 1}, {661, 500}}});
    EXPECT_EQ(s.PresumedExpenses[T], 0);
    EXPECT_EQ(s.AddedDifference[T], 0);
    EXPECT_EQ(s.Code661Separate[T], 0);
    EXPECT_EQ(s.Code661Taxed[T], 0);
    EXPECT_EQ(s.SeparatelyTaxed[T], 0);
}

TEST_P(PresumptionTest, NegativeShortfallOfOneSpouseGoesToTheOther) {
    // Taxpayer P 10000 (7500 + basic 2500), income 4000; spouse P 2500, income 6000.
    const EngineState s = Run({{{115, 7500}, {301, 4000}, {302, 6000}}, true});
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[T], 10000);
    EXPECT_DOUBLE_EQ(s.AddedDifference[T], 2500);
    EXPECT_DOUBLE_EQ(s.AddedDifference[S], 0);
}

TEST_P(PresumptionTest, Code661SeparateUpTo10000) {
    struct Case {
        double others;
        bool taxed;
    } cases[] = {{10000, false}, {10001, true}};
    for (const Case& c : cases) {
        const EngineState s = Run({{{661, 3000}, {301, c.others}}});
        EXPECT_DOUBLE_EQ(s.Code661Taxed[T], c.taxed ? 3000 : 0) << c.others;
        EXPECT_DOUBLE_EQ(s.Code661Separate[T], c.taxed ? 0 : 3000);
        EXPECT_DOUBLE_EQ(s.SalaryIncome[T], c.others + (c.taxed ? 3000 : 0));
        EXPECT_DOUBLE_EQ(s.SeparatelyTaxed[T], c.taxed ? 0 : 3000);
    }
}

TEST_P(PresumptionTest, Code013KeepsGroupBWhole) {
    // Living part 7000 + basic 3000 = 10000, group B 4000.
    const EngineState s = Run({{{13, 1}, {115, 7000}, {719, 4000}}});
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[T], 11000);
}

TEST_P(PresumptionTest, FeesWithinTheRoomCountAsSalary) {
    const EngineState s = Run({{{403, 5000}}});
    EXPECT_DOUBLE_EQ(s.SalaryIncome[T], 5000);
    EXPECT_DOUBLE_EQ(s.BusinessIncome[T], 0);
    // Beyond the room of 6000 the rest stays business.
    const EngineState big = Run({{{403, 8000}}});
    EXPECT_DOUBLE_EQ(big.SalaryIncome[T], 6000);
    EXPECT_DOUBLE_EQ(big.BusinessIncome[T], 2000);
    // Fees with cents: the stored business income equals their sum only to
    // the cent, and that is enough.
    const EngineState cents = Run({{{403, 1000.1}, {409, 2000.2}}});
    EXPECT_DOUBLE_EQ(cents.SalaryIncome[T], 3000.3);
    EXPECT_EQ(cents.BusinessIncome[T], 0);
    EXPECT_EQ(cents.Prepayment[T], 0);
}

TEST_P(PresumptionTest, AddedDifferenceFollowsTheLargestCategory) {
    // Business 2000 against a presumption of 15000: business.
    EngineState s = Run({{{401, 2000}, {115, 12000}}});
    EXPECT_DOUBLE_EQ(s.AddedDifference[T], 13000);
    EXPECT_DOUBLE_EQ(s.AddedDiffBusiness[T], 13000);
    // Farming above salary: farming.
    s = Run({{{461, 3000}, {301, 1000}, {115, 12000}}});
    EXPECT_DOUBLE_EQ(s.AddedDiffFarming[T], 11000);
    // Unemployed (777): salary, whatever the income.
    s = Run({{{401, 2000}, {115, 12000}, {777, 1}}});
    EXPECT_DOUBLE_EQ(s.AddedDiffSalary[T], 13000);
    // No income but a loss of the year: business.
    s = Run({{{413, 100}, {115, 1000}}});
    EXPECT_DOUBLE_EQ(s.AddedDiffBusiness[T], 4000);
}

TEST_P(PresumptionTest, CoverageLowersTheAddedDifference) {
    const EngineState s = Run({{{115, 9000}, {781, 2000}, {659, 1000}, {299, 1}}});
    EXPECT_DOUBLE_EQ(s.AddedDifference[T], 12000 - 3000);
    EXPECT_DOUBLE_EQ(s.CoverSalaryLike[T], 1000);  // kind 1 counts as salary
}

TEST_P(PresumptionTest, JointAmountSharedByIncome) {
    // 769 + 770 = 4000, incomes 30000 and 10000, no 661/662.
    const EngineState s = Run({{{769, 4000}, {301, 30000}, {302, 10000}}, true});
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[T], 3000 + 2500);
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[S], 1000 + 2500);
}

// Negative codes 661/662 can cancel the divisor of the split; the run goes
// on and shares by income alone.
TEST_P(PresumptionTest, ZeroDivisorOfTheJointSplit) {
    // Declared 45000 (the loss offset keeps the total at 40000): 40000 - 30000 - 10000 = 0.
    const EngineState s = Run({{{769, 4000}, {301, 30000}, {401, 5000}, {413, 5000}, {302, 10000},
                                {661, -30000}, {662, -10000}},
                               true});
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[T], 3000 + 2500);
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[S], 1000 + 2500);
    EXPECT_TRUE(std::isfinite(s.FinalBalance));
}

// Edition 2018: business income wiped out by its losses leaves no total to
// divide the joint amount by; the taxpayer carries it.
TEST_P(PresumptionTest, JointSplitWithoutTotalIncome) {
    const EngineState s = Run({{{769, 4000}, {401, 5000}, {413, 5000}}, true});
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[T], 4000 + 2500);
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[S], 2500);
    EXPECT_TRUE(std::isfinite(s.FinalBalance));
}

TEST_P(PresumptionTest, EditionDifferences) {
    // 2018 splits without 661/662.
    EngineState s = Run({{{769, 4000}, {301, 20000}, {302, 20000}, {661, 20000}}, true});
    EXPECT_NEAR(s.PresumedExpenses[T], (GetParam() == 2019 ? 4000.0 * 2 / 3 : 2000) + 2500, 1e-9);
    // 2018 does not count code 435 as coverage.
    s = Run({{{115, 9000}, {435, 2000}}});
    EXPECT_DOUBLE_EQ(s.AddedDifference[T], GetParam() == 2019 ? 10000 : 12000);
    // Kind 12 of code 299 is salary in 2018 only; kind 27 in 2019 only.
    s = Run({{{659, 1000}, {299, 12}}});
    EXPECT_DOUBLE_EQ(s.CoverSalaryLike[T], GetParam() == 2018 ? 1000 : 0);
    s = Run({{{659, 1000}, {299, 27}}});
    EXPECT_DOUBLE_EQ(s.CoverSalaryLike[T], GetParam() == 2019 ? 1000 : 0);
    // Code 657 kind 10: salary in 2019, business in 2018.
    s = Run({{{657, 1000}, {499, 10}}});
    EXPECT_DOUBLE_EQ(s.CoverBusinessLike[T], GetParam() == 2019 ? 0 : 1000);
    s = Run({{{619, 1000}, {399, 19}}});
    EXPECT_DOUBLE_EQ(s.CoverFarmingLike[T], 1000);
}

KESTRANA_BOTH_EDITIONS(PresumptionTest);

}  // namespace
}  // namespace kestrana::test
