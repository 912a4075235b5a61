// The driver: the whole run of a salaried taxpayer, validation, reset and
// the route of code 351.
#include <cmath>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/stages.h"
#include "engine_test_util.h"

namespace kestrana::test {
namespace {

TEST(WholeRun, SalaryWithReceiptsAndWithholding2019) {
    const EngineState s = Compute({{{301, 20000}, {49, 2500}, {315, 3000}}});
    EXPECT_FALSE(s.NothingDeclared);
    EXPECT_DOUBLE_EQ(s.SalaryIncome[T], 20000);
    EXPECT_DOUBLE_EQ(s.TotalDeclaredIncome[T], 20000);
    EXPECT_DOUBLE_EQ(s.PresumedExpenses[T], 3000);
    EXPECT_DOUBLE_EQ(s.AddedDifference[T], 0);
    EXPECT_DOUBLE_EQ(s.FinalTaxableIncome[T], 20000);
    EXPECT_DOUBLE_EQ(s.ScaleTax[T], 4400);
    EXPECT_DOUBLE_EQ(s.SalaryTaxReduction[T], 1900);
    EXPECT_DOUBLE_EQ(s.TaxReductionKinds[T][0], 1900);
    EXPECT_DOUBLE_EQ(s.SalaryScaleTax[T], 2500);
    EXPECT_DOUBLE_EQ(s.ReceiptsDifference[T], 0);
    EXPECT_DOUBLE_EQ(s.ReceiptsDeclared, 2500);
    EXPECT_DOUBLE_EQ(s.TaxDue[T], 2500);
    EXPECT_DOUBLE_EQ(s.TaxWithheld[T], 3000);
    EXPECT_DOUBLE_EQ(s.Prepayment[T], 0);
    EXPECT_DOUBLE_EQ(s.MainTaxGross[T], 0);
    EXPECT_DOUBLE_EQ(s.MainTaxCredit[T], 500);
    EXPECT_DOUBLE_EQ(s.SolidarityBase[T], 20000);
    EXPECT_DOUBLE_EQ(s.SolidarityContribution[T], 176);
    EXPECT_DOUBLE_EQ(s.OtherAmountsTotal, 176);
    EXPECT_DOUBLE_EQ(s.FinalBalance, -324);
    for (const double* spouse : {&s.SalaryIncome[S], &s.TaxDue[S], &s.SolidarityContribution[S]})
        EXPECT_EQ(*spouse, 0);
}

// Edition 2018 grosses the salary withholding up by 1.5 % and refunds the
// excess at 98.5 %.
TEST(WholeRun, SalaryWithReceiptsAndWithholding2018) {
    const EngineState s = Compute({{{301, 20000}, {49, 2500}, {315, 3000}}}, Edition2018());
    EXPECT_DOUBLE_EQ(s.TaxDue[T], 2500);
    EXPECT_NEAR(s.SalaryTaxWithheld[T], 3000 / 0.985, 1e-9);
    EXPECT_NEAR(s.MainTaxCredit[T], 0.985 * (3000 / 0.985 - 2500), 1e-9);  // 537.50
    EXPECT_NEAR(s.FinalBalance, 176 - 537.5, 1e-9);
}

TEST(Validation, CodesFilledOnEveryDeclarationDoNotCount) {
    for (int code : {1, 13, 92, 94, 96, 97, 98, 99, 905, 913}) {
        for (int year : {2019, 2018}) {
            const EngineState s = Compute({{{code, 1}}}, EditionForYear(year));
            EXPECT_TRUE(s.NothingDeclared) << code << " " << year;
            EXPECT_EQ(s.PresumedExpenses[T], 0);
            EXPECT_EQ(s.FinalBalance, 0);
        }
    }
    EXPECT_TRUE(Compute({{{896, 1}}}, Edition2019()).NothingDeclared);
    EXPECT_FALSE(Compute({{{896, 1}}}, Edition2018()).NothingDeclared);
    const EngineState married = Compute({{{1, 1}}, true});
    EXPECT_FALSE(married.NothingDeclared);
    EXPECT_DOUBLE_EQ(married.PresumedExpenses[T], 2500);
    EXPECT_DOUBLE_EQ(married.PresumedExpenses[S], 2500);
}

TEST(Reset, NoResultOfAnEarlierRunSurvives) {
    EngineState s;
    s.CodeValue[401] = 20000;
    s.CodeValue[5] = 1;
    ComputeClearance(s, Edition2019());
    ASSERT_GT(s.Prepayment[T], 0);
    ASSERT_GT(s.TaxReductionKinds[T][13], 0);
    s.CodeValue = {};
    s.CodeValue[301] = 10000;
    ComputeClearance(s, Edition2019());
    EngineState fresh;
    fresh.CodeValue[301] = 10000;
    ComputeClearance(fresh, Edition2019());
    ForEachResult(s, [&](const char* name, const double* values, int count) {
        ForEachResult(fresh, [&](const char* other, const double* expected, int) {
            if (std::string(name) != other) return;
            for (int i = 0; i < count; ++i) EXPECT_EQ(values[i], expected[i]) << name << "[" << i << "]";
        });
    });
    // Nothing declared also clears everything.
    s.CodeValue = {};
    ComputeClearance(s, Edition2019());
    EXPECT_TRUE(s.NothingDeclared);
    EXPECT_EQ(s.SalaryIncome[T], 0);
    EXPECT_EQ(s.FinalBalance, 0);
}

TEST(Route351, KindChoosesTheSlot) {
    struct Case {
        double kind;
        double salary;
    } cases[] = {{2, 7000}, {4, 8000}, {2.5, 7000} /* half to even */, {1.5, 7000}, {3, 8000}};
    for (const Case& c : cases) {
        const EngineState s = Compute({{{301, 8000}, {351, 1000}, {799, c.kind}}});
        EXPECT_DOUBLE_EQ(s.SalaryIncome[T], c.salary) << c.kind;
    }
    // Kind 1 lowers the lump sums; the spouse's slots follow codes 352/800.
    const EngineState s = Compute({{{255, 5000}, {351, 1000}, {799, 1}, {302, 8000}, {352, 500}, {800, 2}}});
    EXPECT_DOUBLE_EQ(s.LumpSumIncome[T], 4000);
    EXPECT_DOUBLE_EQ(s.SalaryIncome[S], 7500);
}

TEST(Driver, CarTotalsAreComputedIntoCodes709And710) {
    const EngineState s = Compute({{{851, 1000}, {853, 500}, {863, 250}, {852, 300}, {709, 99999}}});
    EXPECT_DOUBLE_EQ(s.CodeValue[709], 1750);
    EXPECT_DOUBLE_EQ(s.CodeValue[710], 300);
}

TEST(ForEachResult, ListsEveryResultOnceByName) {
    EngineState s;
    std::set<std::string> names;
    ForEachResult(s, [&](const char* name, const double*, int) {
        EXPECT_TRUE(names.insert(name).second) << name;
    });
    for (const char* required : {"SalaryIncome", "FinalTaxableIncome", "ScaleTax", "SalaryScaleTax", "TaxDue",
                                 "MainTaxCredit", "FinalBalance", "TaxReductionKinds", "DeductionShare",
                                 "Dependents", "NothingDeclared"})
        EXPECT_TRUE(names.count(required)) << required;
}

// The rounding to cents truncates without the library; it must agree with
// std::truncl bit for bit: halves, signs, the edges of 2^63, and values drawn
// over every magnitude.
TEST(Rounding, TruncTowardZeroAgreesWithTheLibrary) {
    using engine_detail::TruncToward0;
    const long double two63 = 9223372036854775808.0L;
    std::vector<long double> cases = {0.0L, -0.0L, 0.5L, -0.5L, 0.49999999999999999L, 1.5L, -2.5L,
                                      2.675L * 100 + 0.5L, 100.4999L, 1e-30L, -1e-30L,
                                      two63, -two63, two63 - 1, -(two63 - 1), two63 - 0.5L, two63 * 4,
                                      std::nextafterl(two63, 0), 1e4000L, -1e4000L};
    std::mt19937_64 random(20181231);
    for (int i = 0; i < 200000; ++i) {
        const long double mantissa = static_cast<long double>(random()) / 18446744073709551616.0L;
        const int exponent = static_cast<int>(random() % 140) - 40;
        cases.push_back((i % 2 ? -1 : 1) * std::ldexp(mantissa, exponent));
    }
    for (long double y : cases) {
        const long double want = std::truncl(y), got = TruncToward0(y);
        ASSERT_EQ(std::memcmp(&want, &got, 10), 0) << static_cast<double>(y);
    }
}

}  // namespace
}  // namespace kestrana::test
