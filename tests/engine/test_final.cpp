// Stamp duties, late filing, solidarity, professional fee, final balance.
#include "engine_test_util.h"

namespace kestrana::test {
namespace {

using FinalTest = BothEditions;

TEST_P(FinalTest, StampDuty) {
    EngineState s = Run({{{101, 10000}}});
    EXPECT_DOUBLE_EQ(s.StampDuty[T], 300);
    EXPECT_DOUBLE_EQ(s.StampDutyOGA[T], 60);
    EXPECT_DOUBLE_EQ(s.StampDutyTotal[T], 360);
    s = Run({{{101, 10000}}, false, 3});
    EXPECT_DOUBLE_EQ(s.LateStampDuty[T], 13.5);
    EXPECT_DOUBLE_EQ(s.OtherCertifiedTotal, 373.5 + s.LateFilingTaxTotal);
    s = Run({{{101, 1000}, {741, 5000}}});
    EXPECT_EQ(s.StampDuty[T], 0);
}

TEST_P(FinalTest, LateFilingTaxSharedByPrincipalTax) {
    // Taxpayer owes 750 and the spouse 250 (business income taxed at 22 %).
    const double t = 750 / 0.22, sp = 250 / 0.22;
    const EngineState s = Run({{{401, t}, {402, sp}, {331, 1}, {385, 1}, {386, 1}}, true, 2});
    ASSERT_NEAR(s.MainTaxDebitTotal, 1000, 1e-6);
    EXPECT_NEAR(s.LateFilingTaxTotal, 20, 1e-6);
    EXPECT_NEAR(s.LateFilingTax[T], 15, 1e-6);
    EXPECT_NEAR(s.LateFilingTax[S], 5, 1e-6);
    const bool perPerson = GetParam() == 2019;
    EXPECT_NEAR(s.OtherCertifiedAmounts[T], perPerson ? 15 : 0, 1e-6);
    EXPECT_NEAR(s.OtherCertifiedTotal, 20, 1e-6);
}

TEST_P(FinalTest, SolidarityContribution) {
    struct Case {
        std::vector<std::pair<int, double>> codes;
        double base;
        double contribution;
    } cases[] = {
        {{{301, 25000}}, 25000, 426},
        {{{301, 20000}, {115, 27000}}, 30000, 676},  // presumption 30000 above income
        {{{301, 12000}}, 12000, 0},
        {{{301, 250000}}, 250000, 20151},
        {{{301, 30000}, {613, 5000}}, 30000, 676},  // 35000 less code 613
    };
    for (const Case& c : cases) {
        const EngineState s = Run({c.codes});
        EXPECT_DOUBLE_EQ(s.SolidarityBase[T], c.base) << c.base;
        EXPECT_NEAR(s.SolidarityContribution[T], c.contribution, 1e-9) << c.base;
    }
}

TEST_P(FinalTest, SolidarityIncomeFigureAndCode435) {
    const EngineState s = Run({{{301, 20000}, {435, 10000}}});
    EXPECT_DOUBLE_EQ(s.SolidarityBase[T], GetParam() == 2019 ? 30000 : 20000);
}

TEST_P(FinalTest, SolidarityMarriedSpouseCoversPresumption) {
    // Taxpayer presumption-driven (12500 against 5000); the spouse's income
    // 30000 exceeds her presumption 2500 by 27500, which lowers the
    // taxpayer's base below his income, so it becomes his income.
    const EngineState s = Run({{{301, 5000}, {115, 10000}, {302, 30000}}, true});
    EXPECT_DOUBLE_EQ(s.SolidarityBase[T], 5000);
    EXPECT_DOUBLE_EQ(s.SolidarityBase[S], 30000);
}

TEST_P(FinalTest, UnemployedPaysNoSolidarity) {
    const EngineState s = Run({{{301, 25000}, {777, 1}}});
    EXPECT_EQ(s.SolidarityContribution[T], 0);
}

TEST_P(FinalTest, ProfessionalFee) {
    struct Case {
        std::vector<std::pair<int, double>> codes;
        bool largeCity, exempt;
        double fee;
    } cases[] = {
        {{{887, 1}}, true, false, 650},
        {{{887, 1}, {933, 6}}, true, false, 325},
        {{{887, 1}, {933, 6}, {931, 2}}, true, false, 1525},
        {{{887, 1}, {931, 2}, {935, 6}}, false, false, 650 + 600},
        {{{889, 1}, {887, 1}}, false, false, 500},
        {{{887, 1}, {931, 2}}, false, true, 0},
        {{{301, 1}}, true, false, 1000},
    };
    for (const Case& c : cases) {
        EngineState s;
        for (const auto& [code, value] : c.codes) s.CodeValue[code] = value;
        s.FeeLargeCity[T] = c.largeCity;
        s.FeeExempt[T] = c.exempt;
        ComputeClearance(s, edition());
        EXPECT_DOUBLE_EQ(s.ProfessionalFee[T], c.fee) << c.fee;
    }
}

TEST_P(FinalTest, LuxuryTaxAndFinalBalance) {
    EngineState s;
    s.CodeValue[301] = 20000;
    s.CodeValue[49] = 1e6;
    s.CodeValue[315] = 1000;  // tax 2500: 1500 to pay (2019)
    s.CodeValue[333] = 100;   // solidarity withheld
    s.LuxuryTax5[T] = 350;
    s.LuxuryTax13[T] = 130;
    ComputeClearance(s, edition());
    EXPECT_DOUBLE_EQ(s.LuxuryTax[T], 480);
    EXPECT_DOUBLE_EQ(s.OtherAmountsTotal, 176 + 480);
    EXPECT_DOUBLE_EQ(s.PrepaidTotal, 100);
    EXPECT_DOUBLE_EQ(s.PrepaidAmounts[T], GetParam() == 2019 ? 100 : 0);
    EXPECT_NEAR(s.FinalBalance, s.TotalDebit + 656 - s.TotalCredit - 100, 1e-9);
    if (GetParam() == 2019) {
        EXPECT_DOUBLE_EQ(s.FinalBalance, 1500 + 656 - 100);
    }
    // No luxury tax for a person with restricted reliefs.
    s.CodeValue[319] = 1;
    ComputeClearance(s, edition());
    EXPECT_EQ(s.LuxuryTax[T], 0);
}

KESTRANA_BOTH_EDITIONS(FinalTest);

}  // namespace
}  // namespace kestrana::test
