// Deductions of codes 61/62 and 663/664, spread over the ten income
// categories, and the final taxable income.
#include "engine/stages.h"

namespace kestrana::engine_detail {

namespace {

void PersonDeductions(EngineState& s, const Edition& e, int p) {
    const Codes c{s, p};
    LD cat[kDeductionCategories] = {
        static_cast<LD>(s.RealEstateIncome[p]) + s.ForeignRealEstate[p],
        static_cast<LD>(s.BusinessIncome[p]) - s.BusinessLossOffset[p] + s.AddedDiffBusiness[p],
        static_cast<LD>(s.FarmingIncome[p]) + s.ForeignFarming[p] - s.FarmingLossOffset[p] + s.AddedDiffFarming[p],
        static_cast<LD>(s.SalaryIncome[p]) + s.ForeignSalary[p] + s.AddedDiffSalary[p],
        static_cast<LD>(s.Dividends[p]) + s.ForeignDividends[p],
        static_cast<LD>(s.Interest[p]) + s.ForeignInterest[p],
        static_cast<LD>(s.Royalties[p]) + s.ForeignRoyalties[p],
        s.CapitalGainIncome[p],
        static_cast<LD>(s.LumpSumIncome[p]) + s.ForeignLumpSum[p],
        s.InsuranceIncome[p],
    };
    LD& business = cat[1];
    LD& salary = cat[3];
    // Code 307 is business income declared among the salaries.
    if (business <= 0) {
        if (Code307Movable(c)) {
            business = c(307);
            salary = Max0(salary - c(307));
        }
    } else {
        salary = Max0(salary - c(307));
        business += c(307);
    }
    LD sum = 0;
    for (LD& x : cat) {
        x = Max0(x);
        sum += x;
    }

    const LD capBase = s.AddedDifference[p] > 0 ? static_cast<LD>(s.TotalDeclaredIncome[p]) + s.AddedDifference[p]
                                                : static_cast<LD>(s.IncomeForDeductionCap[p]);
    LD share[kDeductionCategories] = {};
    if (sum > 0)
        for (int i = 0; i < kDeductionCategories; ++i) share[i] = cat[i] / sum;

    // Each step stores its result; the next step adds to the stored value.
    const LD d1 = Put(s.DeductionDonations[p], Min(Min(c(61), 0.10L * capBase), capBase));
    LD deductions = d1;
    LD charged[kDeductionCategories];
    for (int i = 0; i < kDeductionCategories; ++i) charged[i] = Store(d1 * share[i]);

    bool second = false;
    LD d2 = 0;
    if (e.rules.code663NeedsTicks) {
        if (c.ticked(33) || c.ticked(35)) {
            second = true;
            d2 = Min(c(663), 0.20L * capBase) * (c.ticked(33) ? 0.4L : 0.2L);
        }
    } else if (c(663) > 0) {
        second = true;
        d2 = Min(c(663), capBase);
    }
    if (second) {
        s.DeductionCode663[p] = Store(d2);
        for (int i = 0; i < kDeductionCategories; ++i) charged[i] = Store(charged[i] + d2 * share[i]);
        deductions = Store(deductions + d2);
    }
    for (int i = 0; i < kDeductionCategories; ++i) s.DeductionShare[p][i] = Store(charged[i]);
    s.IncomeDeductions[p] = Store(deductions);
}

}  // namespace

void StageDeductions(EngineState& s, const Edition& e) {
    for (int p = T; p <= S; ++p) {
        s.IncomeDeductions[p] = s.DeductionDonations[p] = s.DeductionCode663[p] = 0;
        if (!s.RestrictedReliefs[p]) PersonDeductions(s, e, p);
    }
    // B. Limits, each person on his own income.
    for (int p = T; p <= S; ++p) {
        const LD limit = static_cast<LD>(s.TotalDeclaredIncome[p]) + s.AddedDifference[p];
        if (s.IncomeDeductions[p] > limit) s.IncomeDeductions[p] = Store(limit);
    }
    // C. Code 329 shows no deductions; the shares stay for the taxes.
    if (s.Ticked(329)) s.IncomeDeductions[T] = s.IncomeDeductions[S] = 0;

    // D. Final taxable income (stage 9).
    for (int p = T; p <= S; ++p)
        s.FinalTaxableIncome[p] = Store(Max0(static_cast<LD>(s.TotalDeclaredIncome[p]) + s.AddedDifference[p] -
                                             s.IncomeDeductions[p]));
    if (e.rules.code401Relief && s.AddedDifference[T] == 0) {
        for (int p = T; p <= S; ++p)
            if (s.Ticked(25 + p))
                s.FinalTaxableIncome[p] =
                    Store(Max0(static_cast<LD>(s.FinalTaxableIncome[p]) - 0.20L * s.Code(401 + p)));
    }
}

}  // namespace kestrana::engine_detail
