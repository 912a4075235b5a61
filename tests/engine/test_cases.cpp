// Whole declarations worked through by hand, figure by figure, in both
// editions: the results are looked up by name, as the statement and
// kestrana-calc read them.
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "engine_test_util.h"

namespace kestrana::test {
namespace {

struct Expect {
    const char* name;
    int index;  // T, S, or 0 for a joint amount
    double value;
};

struct Case {
    const char* what;
    Declaration declaration;
    std::vector<Expect> both;     // the same in both editions
    std::vector<Expect> only2019;
    std::vector<Expect> only2018;
};

// Edition 2018 grosses the salary withholding up by 1.5 %.
constexpr double kGross = 0.985;

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        // Salary 30000, two children: scale 7300, reduction 2000 less 1 % of
        // 10000; receipts required 4000, 5000 given; solidarity 176 + 500.
        {"salary with two children",
         {{{301, 30000}, {3, 2}, {49, 5000}, {315, 6000}}},
         {{"ScaleTax", T, 7300}, {"SalaryTaxReduction", T, 1900}, {"TaxDue", T, 5400},
          {"ReceiptsSurcharge", T, 0}, {"Prepayment", T, 0}, {"SolidarityContribution", T, 676}},
         {{"MainTaxCredit", T, 600}, {"FinalBalance", 0, 76}},
         {{"MainTaxCredit", T, kGross * (6000 / kGross - 5400)}, {"FinalBalance", 0, 676 - 681.0}}},

        // Pension 14000: scale 3080 less 1900; receipts 1600 required.
        {"pension",
         {{{321, 14000}, {315, 800}, {49, 2000}}},
         {{"SalaryIncome", T, 14000}, {"TaxDue", T, 1180}, {"SolidarityContribution", T, 44}},
         {{"MainTaxGross", T, 380}, {"FinalBalance", 0, 424}},
         {{"MainTaxGross", T, 1180 - 800 / kGross}, {"FinalBalance", 0, 1180 - 800 / kGross + 44}}},

        // Rent 6000 (code 101) and 4000 (code 103, less 5 %) beside a salary
        // of 12000; receipts 100 short: surcharge 22; stamp duty 3 % of
        // code 101 plus 20 %.
        {"salary and rents",
         {{{301, 12000}, {101, 6000}, {103, 4000}, {49, 1200}, {315, 600}}},
         {{"RealEstateIncome", T, 9800}, {"TotalDeclaredIncome", T, 21800}, {"RentScaleTax", T, 1470},
          {"ScaleTax", T, 4110}, {"ReceiptsSurcharge", T, 22}, {"TaxDue", T, 2232},
          {"StampDutyTotal", T, 216}, {"Prepayment", T, 0}, {"SolidarityContribution", T, 266}},
         {{"MainTaxGross", T, 1632}, {"FinalBalance", 0, 2114}},
         {{"MainTaxGross", T, 2232 - 600 / kGross}, {"FinalBalance", 0, 2232 - 600 / kGross + 216 + 266}}},

        // Business 25000 with fees withheld 1000 and last year's prepayment
        // 2000: tax 5850, prepayment 5850 - 1000, fee 650 (code 887).
        {"business income",
         {{{401, 25000}, {601, 1000}, {901, 2000}, {887, 1}}},
         {{"BusinessScaleTax", T, 5850}, {"TaxDue", T, 5850}, {"SalaryTaxReduction", T, 0},
          {"TaxForPrepayment", T, 5850}, {"Prepayment", T, 4850}, {"MainTaxGross", T, 2850},
          {"SolidarityContribution", T, 426}, {"ProfessionalFee", T, 650}, {"FinalBalance", 0, 8776}},
         {},
         {}},

        // Salary 12000 and business 8000 of one person share one scale:
        // 4400 split 2640/1760; the prepayment is the business part.
        {"salary and business of one person",
         {{{301, 12000}, {401, 8000}, {315, 1000}, {49, 1500}}},
         {{"SalaryAloneTax", T, 2640}, {"BusinessAloneTax", T, 1760}, {"BusinessScaleTax", T, 1760},
          {"ScaleTax", T, 4400}, {"SalaryScaleTax", T, 740}, {"TaxDue", T, 2500},
          {"TaxForPrepayment", T, 4400}, {"Prepayment", T, 1760}, {"SolidarityContribution", T, 176}},
         {{"MainTaxGross", T, 1500}, {"FinalBalance", 0, 3436}},
         {{"MainTaxGross", T, 2500 - 1000 / kGross}, {"FinalBalance", 0, 2500 - 1000 / kGross + 1760 + 176}}},

        // Both salaried, one child: the spouse's 200 receipts shortfall is
        // covered by the taxpayer's surplus; each principal tax on its own.
        {"married couple, two salaries",
         {{{301, 40000}, {315, 9000}, {49, 8000}, {3, 1}, {302, 18000}, {316, 2500}, {50, 2000}}, true},
         {{"PresumedExpenses", T, 2500}, {"PresumedExpenses", S, 2500}, {"SalaryTaxReduction", T, 1750},
          {"SalaryTaxReduction", S, 1950}, {"TaxDue", T, 9250}, {"TaxDue", S, 2010},
          {"ReceiptsSurcharge", T, 0}, {"ReceiptsSurcharge", S, 0}, {"SolidarityContribution", T, 1326},
          {"SolidarityContribution", S, 132}},
         {{"MainTaxGross", T, 250}, {"MainTaxCredit", S, 490}, {"FinalBalance", 0, 1218}},
         {{"MainTaxGross", T, 9250 - 9000 / kGross},
          {"MainTaxCredit", S, 520.15},
          {"FinalBalance", 0, 9250 - 9000 / kGross + 1458 - 520.15}}},

        // Taxpayer in business, spouse salaried with rents and medical
        // expenses (limited to 5 % of 33000), three children.
        {"married couple, business and salary with rents",
         {{{401, 15000}, {302, 25000}, {102, 8000}, {316, 4500}, {50, 6000}, {56, 2000}, {3, 3}}, true},
         {{"BusinessScaleTax", T, 3300}, {"SalaryTaxReduction", T, 0}, {"Prepayment", T, 3300},
          {"SalaryTaxReduction", S, 2050}, {"RentScaleTax", S, 1200}, {"TaxReductionKinds", 17 + 14, 165},
          {"TaxDue", T, 3300}, {"TaxDue", S, 4835}, {"StampDutyTotal", S, 288}, {"Prepayment", S, 0},
          {"SolidarityContribution", T, 66}, {"SolidarityContribution", S, 871}},
         {{"MainTaxGross", S, 335}, {"FinalBalance", 0, 8160}},
         {{"MainTaxGross", S, 4835 - 4500 / kGross}, {"FinalBalance", 0, 3300 + 4835 - 4500 / kGross + 3300 + 288 + 937}}},

        // A car presumption of 6000 over a salary of 5000: presumed 9000,
        // added difference 4000 taxed as salary; receipts on 9000 short by
        // 400; the presumption drives the solidarity base (below 12000).
        {"added difference",
         {{{301, 5000}, {851, 6000}, {49, 500}}},
         {{"PresumedExpenses", T, 9000}, {"AddedDifference", T, 4000}, {"AddedDiffSalary", T, 4000},
          {"FinalTaxableIncome", T, 9000}, {"ScaleTax", T, 1980}, {"ReceiptsSurcharge", T, 88},
          {"TaxDue", T, 168}, {"SolidarityBase", T, 9000}, {"SolidarityContribution", T, 0},
          {"FinalBalance", 0, 168}},
         {},
         {}},

        // Filed two months late: no receipts rule; 1 % a month on the
        // principal tax and 1.5 % a month on the stamp duty.
        {"late filing",
         {{{301, 20000}, {101, 5000}, {49, 1000}, {315, 2000}}, false, 2},
         {{"ReceiptsSurcharge", T, 0}, {"TaxDue", T, 3250}, {"StampDutyTotal", T, 180},
          {"LateStampDuty", T, 4.5}, {"SolidarityContribution", T, 426}},
         {{"MainTaxGross", T, 1250}, {"LateFilingTax", T, 25}, {"FinalBalance", 0, 1885.5}},
         {{"MainTaxGross", T, 3250 - 2000 / kGross},
          {"LateFilingTax", T, 0.02 * (3250 - 2000 / kGross)},
          {"FinalBalance", 0, 1.02 * (3250 - 2000 / kGross) + 180 + 4.5 + 426}}},
    };
    return cases;
}

std::map<std::string, std::vector<double>> ResultsByName(const EngineState& s) {
    std::map<std::string, std::vector<double>> out;
    ForEachResult(s, [&](const char* name, const double* values, int count) {
        out[name].assign(values, values + count);
    });
    return out;
}

TEST(HandWorkedDeclarations, BothEditions) {
    for (const Case& c : Cases()) {
        for (int year : {2019, 2018}) {
            const EngineState s = Compute(c.declaration, EditionForYear(year));
            ASSERT_FALSE(s.NothingDeclared) << c.what;
            const auto results = ResultsByName(s);
            const auto check = [&](const std::vector<Expect>& list) {
                for (const Expect& x : list) {
                    const auto it = results.find(x.name);
                    ASSERT_NE(it, results.end()) << x.name;
                    ASSERT_LT(x.index, static_cast<int>(it->second.size())) << x.name;
                    EXPECT_NEAR(it->second[x.index], x.value, 1e-9)
                        << c.what << ", edition " << year << ": " << x.name << "[" << x.index << "]";
                }
            };
            check(c.both);
            check(year == 2019 ? c.only2019 : c.only2018);
            for (const auto& [name, values] : results)
                for (double v : values) ASSERT_TRUE(std::isfinite(v)) << c.what << " " << name;
        }
    }
}

}  // namespace
}  // namespace kestrana::test
