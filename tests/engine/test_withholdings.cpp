// Withholdings, foreign credits, prepayment and the principal tax.
#include "engine_test_util.h"

namespace kestrana::test {
namespace {

using WithholdingTest = BothEditions;

TEST_P(WithholdingTest, BusinessPrepayment) {
    EngineState s = Run({{{401, 20000}}});
    EXPECT_DOUBLE_EQ(s.TaxForPrepayment[T], 4400);
    EXPECT_DOUBLE_EQ(s.Prepayment[T], 4400);
    EXPECT_DOUBLE_EQ(s.MainTaxGross[T], 4400);
    EXPECT_DOUBLE_EQ(s.TotalDebit, 8800);
    s = Run({{{401, 20000}, {327, 1}}});
    EXPECT_DOUBLE_EQ(s.Prepayment[T], 2200);
    s = Run({{{401, 20000}, {331, 1}}});
    EXPECT_EQ(s.Prepayment[T], 0);
    // Professional withholding comes off the prepayment.
    s = Run({{{401, 20000}, {601, 1000}}});
    EXPECT_DOUBLE_EQ(s.Prepayment[T], 3400);
    EXPECT_DOUBLE_EQ(s.ProfessionalWithholding[T], 1000);
    EXPECT_DOUBLE_EQ(s.MainTaxGross[T], 3400);
}

TEST_P(WithholdingTest, PrepaymentOf30OrLessIsDropped) {
    // Business 1000: tax 220; a withholding leaves 30 or 30.01.
    // (385: no basic presumption, so no added difference.)
    EXPECT_EQ(Run({{{401, 1000}, {385, 1}, {601, 190}}}).Prepayment[T], 0);
    EXPECT_NEAR(Run({{{401, 1000}, {385, 1}, {601, 189.99}}}).Prepayment[T], 30.01, 1e-9);
}

TEST_P(WithholdingTest, SpouseOnlyPrepayment) {
    const EngineState s = Run({{{301, 20000}, {402, 10000}}, true});
    EXPECT_EQ(s.Prepayment[T], 0);
    EXPECT_DOUBLE_EQ(s.Prepayment[S], 2200);
}

TEST_P(WithholdingTest, ForeignCredits) {
    struct Case {
        std::vector<std::pair<int, double>> codes;
        double credit;
    } cases[] = {
        {{{295, 1000}, {683, 200}, {699, 1}}, 150},
        {{{295, 1000}, {669, 500}, {683, 200}, {699, 2}}, 75},
        {{{673, 1000}, {683, 300}, {699, 3}}, 200},
        {{{295, 1000}, {683, 200}, {699, 4}}, 0},
        {{{411, 10000}, {653, 5000}}, 2200},
        {{{171, 10000}, {175, 1000}}, 1000},
        {{{865, 1000}, {867, 500}}, 150},
        {{{263, 1000}, {265, 500}, {201, 2}}, 100},
        {{{463, 10000}, {469, 100}}, 100},
    };
    for (const Case& c : cases) {
        const EngineState s = Run({c.codes});
        EXPECT_DOUBLE_EQ(s.ForeignTaxCredit[T], c.credit) << c.codes.back().first;
    }
}

TEST(Withholdings, ForeignSalaryCreditLimitedByGreekTaxLessWithheld) {
    // X = 20000: G = 4400 - 1900 = 2500; withheld 1000: limit 1500.
    const EngineState s = Compute({{{389, 20000}, {651, 5000}, {315, 1000}}});
    EXPECT_DOUBLE_EQ(s.ForeignTaxCredit[T], 1500);
    const EngineState small = Compute({{{389, 20000}, {651, 1000}, {315, 1000}}});
    EXPECT_DOUBLE_EQ(small.ForeignTaxCredit[T], 1000);
}

TEST_P(WithholdingTest, PrincipalTaxToPayAndToCredit) {
    EngineState s = Run({{{301, 30000}, {49, 1e6}, {315, 1000}}});  // tax 7300 - 1800
    EXPECT_NEAR(s.MainTaxGross[T], 5500 - s.SalaryTaxWithheld[T], 1e-9);
    EXPECT_EQ(s.MainTaxCredit[T], 0);
    s = Run({{{301, 10000}, {49, 1e6}, {901, 500}}});  // tax 300, prepaid 500
    EXPECT_DOUBLE_EQ(s.MainTaxCredit[T], 200);
    EXPECT_EQ(s.MainTaxGross[T], 0);
    EXPECT_DOUBLE_EQ(s.MainTaxCreditTotal, 200);
}

// Edition 2018 refunds the 1.5 % grossing-up only as its rules allow.
TEST(Withholdings2018, PrincipalTaxBelowThePriorPrepayment) {
    // Tax 2500, withheld 2000 (grossed 2030.46), prepaid 901 = 1000.
    const EngineState s = Compute({{{301, 20000}, {49, 1e6}, {315, 2000}, {901, 1000}}}, Edition2018());
    // Np = 2500 - 2030.46 = 469.54 lies between 0 and 1000; 1.5 % of what is
    // missing to 1000 (7.96) is below d = 30.46, so the credit is
    // 1000 - 1000 - 0.985 x (469.54 - 1000) = 522.50.
    ASSERT_NEAR(s.SalaryTaxWithheld[T], 2000 / 0.985, 1e-9);
    EXPECT_NEAR(s.MainTaxCredit[T], 522.5, 1e-9);
    // Paying more than the prepayment: as edition 2019.
    const EngineState pay = Compute({{{301, 20000}, {49, 1e6}, {315, 1000}, {901, 100}}}, Edition2018());
    EXPECT_NEAR(pay.MainTaxGross[T], 2500 - 1000 / 0.985 - 100, 1e-9);
    const EngineState s19 = Compute({{{301, 20000}, {49, 1e6}, {315, 2000}, {901, 1000}}}, Edition2019());
    EXPECT_DOUBLE_EQ(s19.MainTaxCredit[T], 500);
}

KESTRANA_BOTH_EDITIONS(WithholdingTest);

}  // namespace
}  // namespace kestrana::test
