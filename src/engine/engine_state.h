#pragma once
// Inputs and results of the tax computation of one E1 declaration.
// A plain value: the application owns one, tests make their own.
#include <array>
#include <cstdint>
#include <functional>

namespace kestrana {

struct Edition;

// Index of the taxpayer and of the spouse in every per-person result.
inline constexpr int T = 0;
inline constexpr int S = 1;

inline constexpr int kCodeCount = 1001;           // CodeValue[0..1000]
inline constexpr int kDeductionCategories = 10;   // DeductionShare entries
inline constexpr int kTaxReductionKindCount = 17; // TaxReductionKinds entries

using PerPerson = std::array<double, 2>;
using PersonFlags = std::array<bool, 2>;

// Every per-person amount the stages compute, in the order of the stages.
// One list feeds the fields, the reset and ForEachResult.
#define KESTRANA_PERSON_RESULTS(X)                                            \
    /* route of code 351/352 */                                               \
    X(Code351Kind1) X(Code351Kind2) X(Code351Kind3)                           \
    /* income by category */                                                  \
    X(RentIncome) X(SubleaseIncome) X(RealEstateOtherA) X(RealEstateOtherB)   \
    X(RealEstateCredit159) X(RealEstateCredit163) X(RealEstateIncome)         \
    X(Dividends) X(Interest) X(Royalties) X(SecuritiesIncome)                 \
    X(SalaryIncome) X(BusinessIncome) X(FarmingIncome) X(CapitalGainIncome)   \
    X(LumpSumIncome) X(InsuranceIncome)                                       \
    X(ForeignRealEstate) X(ForeignDividends) X(ForeignInterest)               \
    X(ForeignRoyalties) X(ForeignSecurities) X(ForeignLumpSum)                \
    X(ForeignSalary) X(ForeignBusiness) X(ForeignFarming)                     \
    X(ForeignIncome) X(ForeignLoss)                                           \
    X(BusinessLossCode) X(BusinessPriorLossCode)                              \
    X(FarmingLossCode) X(FarmingPriorLossCode)                                \
    X(BusinessLossOffset) X(FarmingLossOffset)                                \
    X(CurrentLossOffset) X(PriorLossOffset)                                   \
    X(DeclaredIncome) X(TotalDeclaredIncome) X(IncomeForDeductionCap)         \
    X(SeparatelyTaxed) X(BusinessGross)                                       \
    /* presumed expenses and added difference */                              \
    X(PresumedExpenses) X(AddedDifference)                                    \
    X(AddedDiffSalary) X(AddedDiffBusiness) X(AddedDiffFarming)               \
    X(Code661Separate) X(Code661Taxed)                                        \
    X(CoverSalaryLike) X(CoverBusinessLike) X(CoverFarmingLike)               \
    /* deductions and taxable income */                                       \
    X(IncomeDeductions) X(DeductionDonations) X(DeductionCode663)             \
    X(FinalTaxableIncome)                                                     \
    /* scale and flat-rate taxes */                                           \
    X(SalaryScaleTax) X(BusinessScaleTax) X(FarmingScaleTax)                  \
    X(SalaryAloneTax) X(BusinessAloneTax) X(RentScaleTax)                     \
    X(DividendTax) X(InterestTax) X(RoyaltyTax) X(CapitalGainTax)             \
    X(LumpSumTax) X(InsuranceTax) X(FlatRateTax) X(ScaleTax)                  \
    X(SalaryTaxReduction) X(FarmingTaxReduction)                              \
    /* receipts surcharge and tax reductions */                               \
    X(ReceiptsDifference) X(ReceiptsSurcharge) X(ReductionCode77)             \
    X(TaxAfterReductions) X(OtherTaxReductions) X(TaxDue)                     \
    X(SupplementaryTax)                                                       \
    /* withholdings, prepayment and principal tax */                          \
    X(SalaryTaxWithheld) X(LumpSumWithheld) X(SecuritiesWithheld)             \
    X(ProfessionalWithholding) X(CapitalGainWithheld)                         \
    X(PriorYearPrepayment) X(ForeignTaxCredit) X(TaxWithheld)                 \
    X(TaxForPrepayment) X(Prepayment) X(MainTaxGross) X(MainTaxCredit)        \
    X(LumpSumTaxBalance)                                                      \
    /* stamp duties, contributions and final balance */                       \
    X(StampDuty) X(StampDutyOGA) X(LateStampDuty) X(StampDutyELGA)            \
    X(LateStampDutyELGA) X(StampDutyTotal) X(LateFilingTax)                   \
    X(OtherCertifiedAmounts) X(SolidarityBase) X(SolidarityContribution)      \
    X(SolidaritySeparatelyTaxed) X(SolidaritySeparateTax) X(SolidarityRate)   \
    X(SolidarityWithheld) X(ProfessionalFee) X(BranchFee) X(LuxuryTax)        \
    X(PrepaidAmounts)                                                         \
    /* the statement's figures: what its rows and breakdowns show */          \
    X(NetDeclaredIncome) X(NetForeignIncome) X(TaxableIncome)                 \
    X(TotalTaxReductions) X(PrincipalTax) X(PartialAmount) X(FinalAmount)     \
    X(GrossIncome) X(TotalLosses) X(CertifiedTotal) X(PrepaymentBeforeHalving)

// Amounts that exist once for the declaration.
#define KESTRANA_JOINT_RESULTS(X)                                             \
    X(ReceiptsDeclared)                                                       \
    X(MainTaxDebitTotal) X(MainTaxCreditTotal)                                \
    X(LateFilingTaxTotal) X(OtherCertifiedTotal) X(TotalDebit) X(TotalCredit) \
    X(OtherAmountsTotal) X(PrepaidTotal) X(SetOffDifference) X(FinalBalance) \
    /* the statement's joint figures */                                       \
    X(JointPrincipalTax) X(JointPrepayment) X(JointPartialAmount)             \
    X(RequiredReceipts) X(OneInstalmentAmount)

// Everything the reset stage clears.
struct EngineResults {
#define KESTRANA_DECLARE_PERSON(name) PerPerson name{};
    KESTRANA_PERSON_RESULTS(KESTRANA_DECLARE_PERSON)
#undef KESTRANA_DECLARE_PERSON
#define KESTRANA_DECLARE_JOINT(name) double name = 0;
    KESTRANA_JOINT_RESULTS(KESTRANA_DECLARE_JOINT)
#undef KESTRANA_DECLARE_JOINT

    // [person][category - 1], categories 1..10: real estate, business,
    // farming, salaried services, dividends, interest, royalties, capital
    // gains, lump sums, insurance compensations.
    std::array<std::array<double, kDeductionCategories>, 2> DeductionShare{};
    // [person][kind]: 0 salary tax reduction, 10 donations of code 59,
    // 11 donations of code 75, 13 disability, 14 expenses of codes 55-58,
    // 15 code 77; 6 and 9 are shown but never set.
    std::array<std::array<double, kTaxReductionKindCount>, 2> TaxReductionKinds{};

    std::array<int, 2> Dependents{};  // 0..3, the same for both persons
    PersonFlags RestrictedReliefs{};  // code 319/320 ticked, 385/386 not
    PersonFlags FarmerMainly{};
    PersonFlags PrepaymentHalved{};   // codes 327/328
    bool NoPrepayment = false;        // code 331
    bool CreditMode = false;          // never set
};

struct EngineState : EngineResults {
    // Inputs, filled by the caller before every run; the reset leaves them.
    std::array<double, kCodeCount> CodeValue{};  // 0: not declared
    bool Married = false;
    std::int32_t LateMonths = 0;
    PersonFlags FeeExempt{};
    PersonFlags FeeTouristTown{};
    PersonFlags FeeLargeCity{};
    PerPerson LuxuryBase5{};
    PerPerson LuxuryBase13{};
    PerPerson LuxuryTax5{};
    PerPerson LuxuryTax13{};

    // Set when the validation stage finds nothing declared; the run stops.
    bool NothingDeclared = false;

    // Code values by number; out-of-range codes read as 0.
    double Code(int code) const {
        return code >= 0 && code < kCodeCount ? CodeValue[code] : 0.0;
    }
    // Tick boxes are non-zero when ticked.
    bool Ticked(int code) const { return Code(code) != 0.0; }
};

// Runs the 23 stages on `state` with the constants of `edition`, then the
// statement's figures.
void ComputeClearance(EngineState& state, const Edition& edition);

// The sums the clearance statement shows (its rows 1, 2, 5, 11, 14, 16-19
// and 25, the totals of its breakdowns, the receipts that would have avoided
// the surcharge, the one-instalment amount) from the results in `state`.
// The last step of every run; callable on its own over results set by hand.
void ComputeStatementFigures(EngineState& state);

// Every result by its name with its values:
// - per-person amounts: count 2, {T, S};
// - joint amounts: count 1;
// - DeductionShare: count 20, T's ten categories then S's;
// - TaxReductionKinds: count 34, T's 17 kinds then S's;
// - flags and Dependents (as 0/1 and the count), per person count 2,
//   joint count 1. NothingDeclared is listed too.
// `values` is only valid during the call.
using ResultVisitor = std::function<void(const char* name, const double* values, int count)>;
void ForEachResult(const EngineState& state, const ResultVisitor& visit);

}  // namespace kestrana
