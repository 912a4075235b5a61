// Stamp duties, late filing, certified totals, the solidarity
// contribution, the professional fee, the luxury tax and the final balance.
#include "engine/stages.h"
#include "records/amount_text.h"

namespace kestrana::engine_detail {

void StageStampDuties(EngineState& s, const Edition&) {
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        const LD duty = Put(s.StampDuty[p], Max0(0.03L * (c(101) + c(105) + c(107) + c(111) + c(515) + c(131) +
                                                          c(421) - c(741))));
        const LD oga = Put(s.StampDutyOGA[p], 0.20L * duty);
        s.LateStampDuty[p] = Store(0.015L * s.LateMonths * duty);
        s.LateStampDutyELGA[p] = Store(0.015L * s.LateMonths * s.StampDutyELGA[p]);
        s.StampDutyTotal[p] = Store(duty + oga + s.StampDutyELGA[p]);
    }
}

void StageLateFiling(EngineState& s, const Edition&) {
    if (s.LateMonths <= 0) return;
    const LD debit = s.MainTaxDebitTotal;
    const LD total = Put(s.LateFilingTaxTotal, s.LateMonths * 0.01L * debit);
    if (debit > 0) {
        const LD taxpayer = Put(s.LateFilingTax[T], total * s.MainTaxGross[T] / debit);
        s.LateFilingTax[S] = Store(Max0(total - taxpayer));
    }
}

void StageCertifiedTotals(EngineState& s, const Edition& e) {
    s.OtherCertifiedTotal = Store(static_cast<LD>(s.StampDutyTotal[T]) + s.StampDutyTotal[S] + s.LateStampDuty[T] +
                                  s.LateStampDuty[S] + s.LateFilingTaxTotal);
    if (e.rules.perPersonCertifiedAmounts)
        for (int p = T; p <= S; ++p)
            s.OtherCertifiedAmounts[p] =
                Store(static_cast<LD>(s.StampDutyTotal[p]) + s.LateStampDuty[p] + s.LateFilingTax[p]);
    s.TotalDebit = Store(static_cast<LD>(s.MainTaxDebitTotal) + s.Prepayment[T] + s.Prepayment[S] +
                         s.OtherCertifiedTotal);
    s.TotalCredit = s.MainTaxCreditTotal;
}

namespace {

void StageSolidarity(EngineState& s, const Edition& e) {
    LD w[2], pr[2], ex[2];
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        const LD separately = Put(s.SolidaritySeparatelyTaxed[p], c(659) + c(619) + c(431) + c(305) + c(335) +
                                                                      c(995) + s.Code661Separate[p]);
        const LD separateTax = Put(s.SolidaritySeparateTax[p], c(433) + c(613));
        s.SolidarityRate[p] = 0;
        s.SolidarityWithheld[p] = Store(c(333) + c(349) + c(261));
        w[p] = s.TotalDeclaredIncome[p] + separately + separateTax;
        if (e.rules.code435Counted) w[p] += c(435);
        pr[p] = s.PresumedExpenses[p] - c(657) - c(617) - c(787) - c(781);
        ex[p] = separateTax;
    }

    const bool presumedT = pr[T] > w[T];
    const bool presumedS = pr[S] > w[S];
    LD base[2];
    if (!s.Married) {
        base[T] = presumedT ? pr[T] : w[T] - s.Code(613);
        base[S] = 0;
    } else {
        base[T] = presumedT ? pr[T] : w[T];
        base[S] = presumedS ? pr[S] : w[S];
        // The spouse whose income exceeds the presumption covers part of
        // the other's presumption-driven base.
        if (presumedT && !presumedS) {
            if (pr[S] < 0)
                base[T] = base[T] + pr[S] - w[S];
            else if (pr[S] <= w[S])
                base[T] -= w[S] - pr[S];
            if (base[T] < w[T]) base[T] = w[T] - ex[T];
        } else if (presumedS && !presumedT) {
            if (pr[T] < 0)
                base[S] = base[S] + pr[T] - w[T];
            else if (pr[T] <= w[T])
                base[S] -= w[T] - pr[T];
            base[S] = Max0(base[S]);
            if (base[S] < w[S]) base[S] = w[S] - ex[S];
        }
    }

    const bool presumed[2] = {presumedT, s.Married && presumedS};
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        const LD stored = Put(s.SolidarityBase[p], base[p]);
        LD contribution = Solidarity(stored);
        if ((c.ticked(905) || c.ticked(913) || c.ticked(777)) && !presumed[p] && c(619) + c(659) <= 0)
            contribution = 0;
        s.SolidarityContribution[p] = Store(contribution);
        if (s.SolidarityBase[p] < 0) s.SolidarityBase[p] = 0;
    }
}

void StageProfessionalFee(EngineState& s) {
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        // Later tests override earlier ones.
        LD fee = 0;
        if (s.FeeLargeCity[p]) fee = 1000;
        if (s.FeeTouristTown[p]) fee = 800;
        if (c.ticked(887)) fee = 650;
        if (c.ticked(889)) fee = 500;
        if (s.FeeExempt[p]) fee = 0;
        if (c(931) > 0) {
            const LD branches = c(935) > 0 ? c(935) / 12 * c(931) * 600 : 600 * c(931);
            s.BranchFee[p] = Store(branches);
        }
        if (c(933) > 0) fee = c(933) / 12 * fee;
        s.ProfessionalFee[p] = fee > 0 ? Store(fee + s.BranchFee[p]) : 0.0;
    }
}

}  // namespace

void StageOtherAmounts(EngineState& s, const Edition& e) {
    StageSolidarity(s, e);
    StageProfessionalFee(s);
    LD total = 0;
    for (int p = T; p <= S; ++p) {
        s.LuxuryTax[p] = s.RestrictedReliefs[p] ? 0.0 : Store(static_cast<LD>(s.LuxuryTax5[p]) + s.LuxuryTax13[p]);
        total += static_cast<LD>(s.SolidarityContribution[p]) + s.ProfessionalFee[p] + s.LuxuryTax[p];
    }
    s.OtherAmountsTotal = Store(RoundCents(total));
}

void StageFinalBalance(EngineState& s, const Edition& e) {
    s.SetOffDifference = 0;
    LD prepaid = 0;
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        const LD amount = c(333) + c(349) + c(261);
        if (e.rules.perPersonCertifiedAmounts) s.PrepaidAmounts[p] = Store(amount);
        prepaid += amount;
    }
    s.PrepaidTotal = Store(prepaid);
    s.FinalBalance = Store(static_cast<LD>(s.TotalDebit) + s.OtherAmountsTotal - s.TotalCredit - s.PrepaidTotal);
}

// The sums the clearance statement shows beside the results themselves, so
// the statement only formats: its rows 1, 2, 5, 11, 14, 16-19 and 25, the
// totals of its breakdowns and the receipts that would have avoided the
// surcharge.
void StageStatementFigures(EngineState& s) {
    LD principals[2] = {0, 0};
    for (int p = T; p <= S; ++p) {
        const LD declared = static_cast<LD>(s.DeclaredIncome[p]) - s.BusinessLossOffset[p] - s.FarmingLossOffset[p];
        s.NetDeclaredIncome[p] = Store(Max0(declared));
        s.NetForeignIncome[p] = Store(static_cast<LD>(s.ForeignIncome[p]) - s.ForeignLoss[p]);
        s.TaxableIncome[p] = Store(static_cast<LD>(s.TotalDeclaredIncome[p]) + s.AddedDifference[p]);
        s.TotalTaxReductions[p] = Store(static_cast<LD>(s.OtherTaxReductions[p]) + s.ReductionCode77[p] +
                                        s.SalaryTaxReduction[p] + s.FarmingTaxReduction[p]);
        const LD principal = static_cast<LD>(s.MainTaxGross[p]) - s.MainTaxCredit[p];
        s.PrincipalTax[p] = Store(principal);
        principals[p] = principal;
        const LD partial = principal + s.Prepayment[p] + s.OtherCertifiedAmounts[p];
        s.PartialAmount[p] = Store(partial);
        s.FinalAmount[p] = Store(partial + s.SolidarityContribution[p] + s.ProfessionalFee[p] + s.LuxuryTax[p] -
                                 s.PrepaidAmounts[p]);
        s.GrossIncome[p] = Store(static_cast<LD>(s.DeclaredIncome[p]) + s.ForeignIncome[p]);
        s.TotalLosses[p] = Store(static_cast<LD>(s.CurrentLossOffset[p]) + s.PriorLossOffset[p] + s.ForeignLoss[p]);
        s.CertifiedTotal[p] = Store(static_cast<LD>(s.StampDutyTotal[p]) + s.LateStampDuty[p] + s.LateStampDutyELGA[p]);
        // Before the halving of tick box 327/328.
        s.PrepaymentBeforeHalving[p] = Store(s.PrepaymentHalved[p] ? 2 * static_cast<LD>(s.Prepayment[p]) : s.Prepayment[p]);
    }
    const LD principal = principals[T] + principals[S];
    const LD prepayment = static_cast<LD>(s.Prepayment[T]) + s.Prepayment[S];
    s.JointPrincipalTax = Store(principal);
    s.JointPrepayment = Store(prepayment);
    s.JointPartialAmount = Store(principal + prepayment + s.OtherCertifiedTotal);

    const LD shortfall = -(static_cast<LD>(s.ReceiptsDifference[T]) + s.ReceiptsDifference[S]);
    s.RequiredReceipts = shortfall > 0 ? Store(shortfall / 0.22L + s.ReceiptsDeclared) : 0;

    // Payment in one instalment: 1.5 % off the joint final tax as the
    // statement shows it, two decimals (the discount applies to those cents).
    const double shown = RoundAmountToCents(s.JointPartialAmount);
    s.OneInstalmentAmount = shown > 0 ? Store(shown * 0.985L) : 0;
}

}  // namespace kestrana::engine_detail

namespace kestrana {
void ComputeStatementFigures(EngineState& state) { engine_detail::StageStatementFigures(state); }
}  // namespace kestrana
