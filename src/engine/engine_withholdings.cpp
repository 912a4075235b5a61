// Withholdings, foreign tax credits, the prepayment of next year's tax and
// the principal tax to pay or to credit.
#include "engine/stages.h"

namespace kestrana::engine_detail {

namespace {

LD ForeignCredits(const EngineState& s, int p, LD salaryWithheld) {
    const Codes c{s, p};
    // Salaried services: the Greek tax on the salary less its reduction.
    const LD x = static_cast<LD>(s.SalaryIncome[p]) + c(389) + c(391) + c(393);
    LD g = 0;
    if (x > 0) {
        const LD scale = Scale(x);
        const LD reduction = s.RestrictedReliefs[p] ? 0 : SalaryReductionAmount(s.Dependents[p], x);
        g = scale - Min(reduction, scale);
    }
    const LD salaryLimit = salaryWithheld + c(651) > g ? Max0(g - salaryWithheld) : c(651);
    LD credit = Min(c(651), salaryLimit);

    const LD kind = RoundKind(c(699));
    if (kind == 1)
        credit += Min(c(683), 0.15L * c(295));
    else if (kind == 2)
        credit += Min(c(683), 0.15L * c(669));
    else if (kind == 3)
        credit += Min(c(683), 0.20L * c(673));

    credit += Min(c(653), Scale(c(411)));
    credit += Min(c(175), RentScale(c(171)));
    credit += Min(c(867), 0.15L * c(865));

    const LD lumpKind = RoundKind(c(201));
    LD lumpLimit = 0;
    if (lumpKind == 1)
        lumpLimit = 0.15L * c(263);
    else if (lumpKind == 2)
        lumpLimit = 0.10L * c(263);
    else if (lumpKind == 3)
        lumpLimit = 0.10L * c(267) + 0.15L * (c(263) - c(267));
    credit += Min(c(265), lumpLimit);

    credit += Min(c(469), Scale(c(463)));
    return credit;
}

void PersonPrepayment(EngineState& s, int p) {
    const Codes c{s, p};
    const LD c307 = Code307Movable(c) ? c(307) : 0;
    const LD offsets = static_cast<LD>(s.BusinessLossOffset[p]) + s.FarmingLossOffset[p] + s.ForeignLoss[p];
    const LD income = static_cast<LD>(s.TotalDeclaredIncome[p]) + s.AddedDifference[p];
    const LD z = income - s.SalaryIncome[p] - s.ForeignSalary[p] - s.AddedDiffSalary[p] - s.LumpSumIncome[p] -
                 s.SecuritiesIncome[p] - s.CapitalGainIncome[p] - s.RealEstateIncome[p] - s.InsuranceIncome[p] +
                 offsets + c307;
    if (!(z > 5 || (z >= -0.1L && offsets > 0))) return;

    LD w = c(655);
    if (income > 0 && c(655) / income < 0.25L) w = 0;

    const LD forPrepayment = s.TaxForPrepayment[p];
    const LD reductions = static_cast<LD>(s.OtherTaxReductions[p]) + s.ReductionCode77[p];
    const LD ownTax = static_cast<LD>(s.BusinessAloneTax[p]) + s.FarmingScaleTax[p];
    LD rd = s.OtherTaxReductions[p];
    if (forPrepayment + reductions > 0) rd = reductions * ownTax / (forPrepayment + reductions);
    const LD base = forPrepayment + reductions - s.DividendTax[p] - s.InterestTax[p] - s.RoyaltyTax[p] -
                    s.RentScaleTax[p] - s.CapitalGainTax[p] - s.SalaryAloneTax[p] - s.LumpSumTax[p] - rd -
                    s.InsuranceTax[p];

    // Halving and the 30 test work on the stored prepayment.
    LD prepayment = 0;
    if (income > 0 && ownTax > 0)
        prepayment = Store(Max0((income - w) / income * base - s.ProfessionalWithholding[p]));
    if (s.PrepaymentHalved[p]) prepayment = Store(prepayment / 2);
    if (prepayment <= 30) prepayment = 0;
    s.Prepayment[p] = Store(prepayment);
}

}  // namespace

void StageWithholdings(EngineState& s, const Edition& e) {
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        LD salaryWithheld = c(315) + c(347);
        if (e.rules.salaryWithheldGrossUp) salaryWithheld /= 0.985L;
        const LD salary = Put(s.SalaryTaxWithheld[p], salaryWithheld);
        const LD lump = Put(s.LumpSumWithheld[p], c(257) + c(259));
        const LD securities = Put(s.SecuritiesWithheld[p], c(293) + c(297) + c(675) + c(677) + c(679) + c(681));
        const LD professional = Put(s.ProfessionalWithholding[p], c(601) + c(605) + c(611));
        s.CapitalGainWithheld[p] = 0;
        s.PriorYearPrepayment[p] = Store(c(901));
        const LD foreign = Put(s.ForeignTaxCredit[p], ForeignCredits(s, p, salary));
        s.TaxWithheld[p] = Store(salary + lump + professional + securities + foreign);
    }

    if (s.NoPrepayment) return;
    for (int p = T; p <= S; ++p)
        s.TaxForPrepayment[p] = Store(Max0(static_cast<LD>(s.TaxDue[p]) - s.SalaryScaleTax[p] -
                                           s.BusinessScaleTax[p] + s.SalaryAloneTax[p] + s.BusinessAloneTax[p]));
    if (s.TaxForPrepayment[T] == 0 && s.TaxForPrepayment[S] == 0) return;
    PersonPrepayment(s, T);
    PersonPrepayment(s, S);
}

// Codes 255/256 would form a balance from amounts that nothing sets: it
// stays 0.
void StageLumpSumBalance(EngineState& s, const Edition&) {
    s.LumpSumTaxBalance = {};
}

void StagePrincipalTax(EngineState& s, const Edition& e) {
    for (int p = T; p <= S; ++p) {
        const LD others = static_cast<LD>(s.ProfessionalWithholding[p]) + s.SecuritiesWithheld[p] +
                          s.CapitalGainWithheld[p] + s.LumpSumWithheld[p] + s.PriorYearPrepayment[p];
        const LD foreign = s.ForeignTaxCredit[p];
        const LD salaryWithheld = s.SalaryTaxWithheld[p];
        const LD np = Max0(static_cast<LD>(s.TaxDue[p]) - foreign) - salaryWithheld;
        // Positive: to pay; negative: to credit.
        LD balance = np - others;
        if (e.rules.salaryWithheldGrossUp) {
            // The 1.5 % added to the salary withholding is refunded only in part.
            const LD prior = s.Code(901 + p);
            if (np < 0 && -np > foreign) {
                balance = -(others - 0.985L * np);
            } else if (np >= 0 && np <= prior) {
                const LD x = np - prior;
                const LD d = RoundCents(0.015L * salaryWithheld);
                balance = 0.015L * -x >= d ? -(others - np - d) : -(others - prior - 0.985L * x);
            }
        }
        if (balance > 0) {
            s.MainTaxGross[p] = Store(balance);
            s.MainTaxCredit[p] = 0;
        } else {
            s.MainTaxGross[p] = 0;
            s.MainTaxCredit[p] = balance < 0 ? Store(-balance) : 0.0;
        }
    }
    s.MainTaxDebitTotal = Store(static_cast<LD>(s.MainTaxGross[T]) + s.MainTaxGross[S]);
    s.MainTaxCreditTotal = Store(static_cast<LD>(s.MainTaxCredit[T]) + s.MainTaxCredit[S]);
}

}  // namespace kestrana::engine_detail
