// Income by category, losses and totals.
#include "engine_test_util.h"

namespace kestrana::test {
namespace {

using IncomeTest = BothEditions;

TEST_P(IncomeTest, RealEstate) {
    EngineState s = Run({{{103, 1000}}});
    EXPECT_DOUBLE_EQ(s.RentIncome[T], 950);
    EXPECT_DOUBLE_EQ(s.RealEstateIncome[T], 950);

    s = Run({{{101, 1000}, {159, 5000}}});
    EXPECT_DOUBLE_EQ(s.RealEstateCredit159[T], 1000);
    EXPECT_DOUBLE_EQ(s.RealEstateIncome[T], 0);

    s = Run({{{515, 100}, {517, 500}}});
    EXPECT_DOUBLE_EQ(s.SubleaseIncome[T], 0);  // clamped, not -400

    // The spouse's side reads the even codes.
    s = Run({{{104, 2000}, {164, 300}, {166, 100}}});
    EXPECT_DOUBLE_EQ(s.RealEstateIncome[S], 1900 - 100);
    EXPECT_EQ(s.RealEstateIncome[T], 0);
}

TEST_P(IncomeTest, SalaryExemptPartOfCode351) {
    const EngineState s = Run({{{301, 8000}, {351, 10000}, {799, 2}}});
    EXPECT_DOUBLE_EQ(s.SalaryIncome[T], 0);
    // Kind 3 exempts against code 325 only.
    const EngineState k3 = Run({{{301, 8000}, {325, 1000}, {351, 5000}, {799, 3}}});
    EXPECT_DOUBLE_EQ(k3.SalaryIncome[T], 8000);
}

TEST_P(IncomeTest, BusinessLossesAreSetOffUpToTheIncome) {
    const EngineState s = Run({{{401, 5000}, {413, 3000}, {415, 4000}}});
    EXPECT_DOUBLE_EQ(s.BusinessLossOffset[T], 5000);
    EXPECT_DOUBLE_EQ(s.CurrentLossOffset[T], 3000);
    EXPECT_DOUBLE_EQ(s.PriorLossOffset[T], 4000);
    EXPECT_DOUBLE_EQ(s.TotalDeclaredIncome[T], 0);
    // A negative business income cancels itself out of the total.
    const EngineState neg = Run({{{401, -3000}, {301, 10000}}});
    EXPECT_DOUBLE_EQ(neg.BusinessLossOffset[T], -3000);
    EXPECT_DOUBLE_EQ(neg.TotalDeclaredIncome[T], 10000);
}

TEST_P(IncomeTest, ForeignLossLeavesTheTotalUnchanged) {
    const EngineState s = Run({{{411, -2000}, {301, 10000}}});
    EXPECT_DOUBLE_EQ(s.ForeignIncome[T], -2000);
    EXPECT_DOUBLE_EQ(s.ForeignLoss[T], -2000);
    EXPECT_DOUBLE_EQ(s.TotalDeclaredIncome[T], 10000);
}

TEST_P(IncomeTest, SpouseIncomeMakesTheDeclarationJoint) {
    const EngineState s = Run({{{302, 100}}});
    EXPECT_TRUE(s.Married);
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[S], 2500);
}

TEST_P(IncomeTest, CapitalGainsLumpSumsInsurance) {
    const EngineState s = Run({{{829, 1000}, {865, 500}, {871, 2000}, {255, 300}, {251, 200}, {395, 700}}});
    EXPECT_DOUBLE_EQ(s.CapitalGainIncome[T], 0);
    EXPECT_DOUBLE_EQ(s.LumpSumIncome[T], 500);
    EXPECT_DOUBLE_EQ(s.InsuranceIncome[T], 700);
    EXPECT_DOUBLE_EQ(s.DeclaredIncome[T], 1200);
}

// Edition 2018 keeps the foreign securities out of the presumption coverage
// but still counts them as foreign income.
TEST_P(IncomeTest, ForeignSecurities) {
    const EngineState s = Run({{{295, 100}, {669, 200}, {673, 300}}});
    EXPECT_DOUBLE_EQ(s.ForeignSecurities[T], GetParam() == 2019 ? 600 : 0);
    EXPECT_DOUBLE_EQ(s.ForeignIncome[T], 600);
}

KESTRANA_BOTH_EDITIONS(IncomeTest);

}  // namespace
}  // namespace kestrana::test
