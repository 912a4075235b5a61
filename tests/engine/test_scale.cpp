// Scale and flat-rate taxes and the salary tax reduction.
#include "engine_test_util.h"

namespace kestrana::test {
namespace {

using ScaleTest = BothEditions;

TEST_P(ScaleTest, SalaryScaleAndReduction) {
    struct Case {
        double salary;
        double dependents;
        double scale;
        double reduction;
    } cases[] = {
        {20000, 0, 4400, 1900},
        {30000, 2, 7300, 1900},        // 2000 - 1 % of 10000
        {210000, 0, 87500, 0},         // 1900 - 1900
        {40000, 3, 11000, 1900},       // 2100 - 200
        {10000, 5, 2200, 2100},        // at most 3 dependants
        {5000, 0, 1100, 1100},         // limited by the tax
    };
    for (const Case& c : cases) {
        const EngineState s = Run({{{301, c.salary}, {3, c.dependents}, {49, 1e6}}});
        EXPECT_DOUBLE_EQ(s.ScaleTax[T], c.scale) << c.salary;
        EXPECT_DOUBLE_EQ(s.SalaryTaxReduction[T], c.reduction) << c.salary;
        EXPECT_DOUBLE_EQ(s.SalaryScaleTax[T], c.scale - c.reduction) << c.salary;
    }
}

TEST_P(ScaleTest, SalaryAndBusinessShareOneScale) {
    const EngineState s = Run({{{301, 12000}, {401, 8000}, {425, 1}, {49, 1e6}}});
    EXPECT_DOUBLE_EQ(s.BusinessScaleTax[T], 1760);
    EXPECT_DOUBLE_EQ(s.SalaryScaleTax[T] + s.SalaryTaxReduction[T], 2640);
    EXPECT_DOUBLE_EQ(s.ScaleTax[T], 4400);
    EXPECT_DOUBLE_EQ(s.SalaryAloneTax[T], 2640);
    EXPECT_DOUBLE_EQ(s.BusinessAloneTax[T], 1760);
}

// The salary part is the joint tax less the business part as stored; at an
// exact half cent (0.22 x 240.75 = 52.965) that decides the rounding.
TEST_P(ScaleTest, SalaryPartIsTheJointTaxLessTheStoredBusinessPart) {
    const EngineState s = Run({{{301, 240.75}, {401, 11581.12}, {49, 1e6}}});
    EXPECT_DOUBLE_EQ(s.BusinessScaleTax[T], 2547.85);
    EXPECT_DOUBLE_EQ(s.ScaleTax[T], 2547.85 + 52.96);
}

TEST_P(ScaleTest, ReducedBusinessRate) {
    const EngineState s = Run({{{401, 4000}, {427, 4000}, {17, 1}}});
    EXPECT_DOUBLE_EQ(s.BusinessScaleTax[T], 880);
    EXPECT_DOUBLE_EQ(s.BusinessAloneTax[T], 880);
}

TEST_P(ScaleTest, RentsInsuranceLumpSums) {
    EngineState s = Run({{{101, 40000}}});
    EXPECT_DOUBLE_EQ(s.RentScaleTax[T], 12100);
    s = Run({{{395, 50000}, {973, 1}}});
    EXPECT_DOUBLE_EQ(s.InsuranceTax[T], 9000);
    s = Run({{{395, 50000}, {971, 1}}});
    EXPECT_DOUBLE_EQ(s.InsuranceTax[T], 7500);
    s = Run({{{255, 10000}, {201, 3}, {253, 4000}}});
    EXPECT_DOUBLE_EQ(s.LumpSumTax[T], 1300);
    s = Run({{{255, 10000}, {201, 3}, {253, 12000}}});
    EXPECT_DOUBLE_EQ(s.LumpSumTax[T], 0);
    s = Run({{{255, 10000}, {201, 2}, {256, 1000}, {202, 1}}});
    EXPECT_DOUBLE_EQ(s.LumpSumTax[T], 1000);
    EXPECT_DOUBLE_EQ(s.LumpSumTax[S], 150);
}

TEST_P(ScaleTest, FlatRatesRoundedToCents) {
    const EngineState s = Run({{{291, 1000.05}, {667, 100}, {671, 100}, {829, 0.03}}});
    EXPECT_DOUBLE_EQ(s.DividendTax[T], 150.01);  // 150.0075
    EXPECT_DOUBLE_EQ(s.InterestTax[T], 15);
    EXPECT_DOUBLE_EQ(s.RoyaltyTax[T], 20);
    EXPECT_DOUBLE_EQ(s.CapitalGainTax[T], 0);  // 0.0045
}

// A farmer with no income but the added difference placed in farming: 2019
// gives the reduction to the farming tax; 2018 computes none (its base is 0).
TEST_P(ScaleTest, FarmerMainlyWithoutIncome) {
    const EngineState s = Run({{{619, 1000}, {399, 19}, {115, 20000}, {37, 1}, {49, 1e6}}});
    EXPECT_TRUE(s.FarmerMainly[T]);
    EXPECT_DOUBLE_EQ(s.AddedDiffFarming[T], 22000);
    EXPECT_DOUBLE_EQ(s.FarmingTaxReduction[T], GetParam() == 2019 ? 1900 : 0);
    EXPECT_DOUBLE_EQ(s.FarmingScaleTax[T], 4980 - s.FarmingTaxReduction[T]);
}

// 2019 compares the other income with farming net of losses clamped at 0;
// 2018 with the unclamped figure.
TEST_P(ScaleTest, FarmerMainlyWithFarmingLosses) {
    const EngineState s = Run({{{461, 1000}, {465, 3000}, {37, 1}}});
    EXPECT_EQ(s.FarmerMainly[T], GetParam() == 2019);
}

// Salary only from abroad, so nothing to split by: 2019 gives the reduction
// to the (zero) farming tax, 2018 keeps it on salary.
TEST_P(ScaleTest, FarmerMainlyWithoutDomesticIncome) {
    const EngineState s = Run({{{389, 5000}, {619, 1000}, {399, 19}, {37, 1}, {49, 1e6}}});
    ASSERT_TRUE(s.FarmerMainly[T]);
    EXPECT_DOUBLE_EQ(s.SalaryTaxReduction[T], GetParam() == 2019 ? 0 : 1100);
    EXPECT_EQ(s.FarmingTaxReduction[T], 0);
}

TEST_P(ScaleTest, FarmerMainlySplitsTheReductionByIncome) {
    const EngineState s = Run({{{461, 15000}, {301, 5000}, {37, 1}, {49, 1e6}}});
    EXPECT_TRUE(s.FarmerMainly[T]);
    EXPECT_DOUBLE_EQ(s.FarmingTaxReduction[T], 1900 * 0.75);
    EXPECT_DOUBLE_EQ(s.SalaryTaxReduction[T], 1900 * 0.25);
}

// 2019 limits the reduction by the tax of salary alone, 2018 by the salary
// part of the joint tax (larger with business income beside it).
TEST_P(ScaleTest, ReductionLimit) {
    // Joint tax 9150 of which salary 5000/35000 = 1307.14; salary alone 1100.
    const EngineState s = Run({{{301, 5000}, {401, 30000}, {49, 1e6}}});
    EXPECT_DOUBLE_EQ(s.SalaryAloneTax[T], 1100);
    EXPECT_DOUBLE_EQ(s.SalaryTaxReduction[T], GetParam() == 2019 ? 1100 : 1307.14);
    EXPECT_NEAR(s.SalaryScaleTax[T], GetParam() == 2019 ? 207.14 : 0, 1e-9);
}

TEST_P(ScaleTest, RestrictedReliefsNoReduction) {
    const EngineState s = Run({{{301, 20000}, {319, 1}}});
    EXPECT_EQ(s.SalaryTaxReduction[T], 0);
    EXPECT_DOUBLE_EQ(s.SalaryScaleTax[T], 4400);
}

KESTRANA_BOTH_EDITIONS(ScaleTest);

}  // namespace
}  // namespace kestrana::test
