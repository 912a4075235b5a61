// Receipts surcharge, code 77 and the tax reductions.
#include "engine_test_util.h"

namespace kestrana::test {
namespace {

using ReductionTest = BothEditions;

TEST_P(ReductionTest, ReceiptsShortfall) {
    const EngineState s = Run({{{301, 20000}, {49, 1000}}});
    EXPECT_DOUBLE_EQ(s.ReceiptsDifference[T], -330);
    EXPECT_DOUBLE_EQ(s.ReceiptsSurcharge[T], 330);
    EXPECT_DOUBLE_EQ(s.SalaryScaleTax[T], 2500 + 330);
    EXPECT_DOUBLE_EQ(s.TaxDue[T], 2830);
}

TEST_P(ReductionTest, SpousesCoverEachOther) {
    EngineState s = Run({{{301, 20000}, {49, 1000}, {302, 10000}, {50, 3000}}, true});
    EXPECT_EQ(s.ReceiptsDifference[T], 0);
    EXPECT_EQ(s.ReceiptsDifference[S], 0);
    // The surplus covers only part: the rest is surcharged.
    s = Run({{{301, 20000}, {49, 0}, {302, 10000}, {50, 2000}}, true});
    EXPECT_DOUBLE_EQ(s.ReceiptsDifference[T], 0.22 * (1000 - 2500));
    EXPECT_EQ(s.ReceiptsDifference[S], 0);
    // And the other way round.
    s = Run({{{301, 10000}, {49, 3000}, {302, 20000}, {50, 1000}}, true});
    EXPECT_EQ(s.ReceiptsDifference[S], 0);
}

TEST_P(ReductionTest, ReceiptsRequirementCap) {
    const EngineState s = Run({{{301, 400000}}});
    EXPECT_DOUBLE_EQ(s.ReceiptsDifference[T], -0.22 * 34000);
}

TEST_P(ReductionTest, ReceiptsExemptions) {
    EXPECT_EQ(Run({{{301, 20000}, {23, 1}}}).ReceiptsDifference[T], 0);
    EXPECT_EQ(Run({{{301, 20000}, {319, 1}}}).ReceiptsDifference[T], 0);
    EXPECT_EQ(Run({{{302, 20000}, {320, 1}}}).ReceiptsDifference[S], 0);
}

// Edition 2018 counts farming in the receipts base for everyone.
TEST_P(ReductionTest, ReceiptsBaseFarming) {
    const EngineState s = Run({{{461, 10000}, {49, 0}}});
    EXPECT_DOUBLE_EQ(s.ReceiptsDifference[T], GetParam() == 2018 ? -220 : 0);
}

TEST_P(ReductionTest, LateFilingLosesMostReliefs) {
    const Declaration d{{{301, 20000}, {49, 0}, {5, 1}, {75, 1000}, {59, 1000}, {77, 100}, {291, 10000},
                         {55, 1000}},
                        false,
                        1};
    const EngineState s = Run(d);
    EXPECT_EQ(s.ReceiptsDifference[T], 0);
    EXPECT_EQ(s.TaxReductionKinds[T][13], 0);
    EXPECT_EQ(s.TaxReductionKinds[T][11], 0);
    EXPECT_EQ(s.TaxReductionKinds[T][10], 0);
    EXPECT_EQ(s.TaxReductionKinds[T][15], 0);
    EXPECT_EQ(s.ReductionCode77[T], 0);
    EXPECT_DOUBLE_EQ(s.TaxReductionKinds[T][14], 100);  // the expenses credit stays
    const EngineState onTime = Run({d.codes});
    EXPECT_DOUBLE_EQ(onTime.TaxReductionKinds[T][13], 200);
    EXPECT_DOUBLE_EQ(onTime.TaxReductionKinds[T][11], 200);
    EXPECT_DOUBLE_EQ(onTime.TaxReductionKinds[T][10], 100);
    EXPECT_DOUBLE_EQ(onTime.TaxReductionKinds[T][15], 100);
    EXPECT_DOUBLE_EQ(onTime.ReductionCode77[T], 100);
}

TEST_P(ReductionTest, DisabilityNeverReducesTheSurcharge) {
    // Salary 10000: tax 2200 - 1900 = 300 plus surcharge 0.22 * 1000 = 220.
    const EngineState s = Run({{{301, 10000}, {5, 2}, {1, 1}}});
    EXPECT_DOUBLE_EQ(s.TaxReductionKinds[T][13], 600);
    EXPECT_DOUBLE_EQ(s.ReceiptsSurcharge[T], 220);
    EXPECT_DOUBLE_EQ(s.TaxDue[T], 220);
    EXPECT_DOUBLE_EQ(s.OtherTaxReductions[T], 300);
}

TEST_P(ReductionTest, ExpensesAndDonations) {
    EngineState s = Run({{{301, 100000}, {55, 15000}, {49, 1e6}}});
    EXPECT_DOUBLE_EQ(s.TaxReductionKinds[T][14], 500);
    s = Run({{{301, 100000}, {57, 15000}, {49, 1e6}}});
    EXPECT_DOUBLE_EQ(s.TaxReductionKinds[T][14], 500);  // 5 % of income 5000 is the limit of 57
    s = Run({{{301, 200000}, {57, 15000}, {49, 1e6}}});
    EXPECT_DOUBLE_EQ(s.TaxReductionKinds[T][14], 500);  // 5000
    s = Run({{{302, 400000}, {58, 15000}, {50, 1e6}}});
    EXPECT_DOUBLE_EQ(s.TaxReductionKinds[S][14], 1500);  // spouse: 20000
    s = Run({{{301, 20000}, {59, 50}, {55, 100}}});
    EXPECT_EQ(s.TaxReductionKinds[T][10], 0);
    EXPECT_EQ(s.TaxReductionKinds[T][14], 0);
    s = Run({{{301, 20000}, {59, 5000}}});
    EXPECT_DOUBLE_EQ(s.TaxReductionKinds[T][10], 100);  // 10 % of 5 % of 20000
}

TEST_P(ReductionTest, NegativeCode77OnlyRaisesBackToTheTax) {
    const EngineState s = Run({{{291, 10000}, {77, -500}}});
    EXPECT_DOUBLE_EQ(s.DividendTax[T], 1500);
    EXPECT_DOUBLE_EQ(s.FlatRateTax[T], 1500);
    EXPECT_EQ(s.ReductionCode77[T], 0);
}

TEST_P(ReductionTest, Code319SkipsTheReductions) {
    const EngineState s = Run({{{319, 1}, {301, 20000}, {5, 3}}});
    EXPECT_EQ(s.TaxReductionKinds[T][13], 0);
    EXPECT_DOUBLE_EQ(s.TaxDue[T], 4400);
}

KESTRANA_BOTH_EDITIONS(ReductionTest);

}  // namespace
}  // namespace kestrana::test
