// Receipts surcharge, the reduction of code 77/78, the tax reductions and
// the tax due.
#include "engine/stages.h"

namespace kestrana::engine_detail {

namespace {

LD ReceiptsRequired(LD base) {
    LD required;
    if (base <= 10000)
        required = 0.10L * base;
    else if (base <= 30000)
        required = 1000 + 0.15L * (base - 10000);
    else
        required = 4000 + 0.20L * (base - 30000);
    return Min(required, 34000);
}

// The surplus of `giver` closes as much of the gap of `taker` as it can.
void Cover(LD& taker, LD takerRequired, LD& giver, LD giverRequired) {
    if (!(taker < takerRequired && giverRequired < giver)) return;
    if (takerRequired < taker + (giver - giverRequired)) {
        giver -= takerRequired - taker;
        taker = takerRequired;
    } else {
        taker += giver - giverRequired;
        giver = giverRequired;
    }
}

}  // namespace

void StageReceipts(EngineState& s, const Edition& e) {
    s.ReceiptsDifference = {};
    s.ReceiptsSurcharge = {};
    if (s.LateMonths != 0) return;

    LD required[2], counted[2];
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        const LD f = e.rules.receiptsAlwaysFarming || s.FarmerMainly[p] ? 1 : 0;
        const LD base =
            Max0(f * (static_cast<LD>(s.FarmingIncome[p]) + s.ForeignFarming[p] - s.FarmingLossOffset[p]) +
                 s.SalaryIncome[p] + s.ForeignSalary[p]) +
            f * s.AddedDiffFarming[p] + s.AddedDiffSalary[p];
        required[p] = ReceiptsRequired(base);
        if (c.ticked(23) && base == 0) required[p] = 0;
        counted[p] = c(49);
    }
    s.ReceiptsDeclared = Store(s.Code(49) + s.Code(50));
    Cover(counted[T], required[T], counted[S], required[S]);
    Cover(counted[S], required[S], counted[T], required[T]);

    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        LD difference = counted[p] < required[p] ? 0.22L * (counted[p] - required[p]) : 0;
        if (difference < 0 && c.ticked(23)) difference = 0;
        if (c.ticked(319)) difference = 0;  // 319 for the taxpayer, 320 for the spouse
        const LD rd = Put(s.ReceiptsDifference[p], difference);
        s.SalaryScaleTax[p] = Store(Max0(static_cast<LD>(s.SalaryScaleTax[p]) - rd));
        s.ReceiptsSurcharge[p] = Store(-rd);
    }
}

void StageCode77(EngineState& s, const Edition&) {
    if (s.Ticked(319)) return;  // the taxpayer's box decides for both
    for (int p = T; p <= S; ++p) {
        const LD remembered = Put(s.FlatRateTax[p], Max0(s.FlatRateTax[p]));
        if (s.LateMonths == 0) {
            const LD code = s.Code(77 + p);
            s.TaxReductionKinds[p][15] = Store(code);
            // A negative code brings the tax back at most to what it was.
            s.FlatRateTax[p] = Store(Min(Max0(remembered - code), remembered));
        }
        s.ReductionCode77[p] = Store(Max0(remembered - s.FlatRateTax[p]));
    }
}

void StageTaxAfterScale(EngineState& s, const Edition&) {
    for (int p = T; p <= S; ++p)
        s.TaxAfterReductions[p] =
            Store(static_cast<LD>(s.FlatRateTax[p]) + s.SalaryScaleTax[p] + s.FarmingScaleTax[p]);
}

void StageTaxReductions(EngineState& s, const Edition&) {
    if (s.Ticked(319)) return;
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        auto& kinds = s.TaxReductionKinds[p];
        // The running tax is a stored result: each step starts from the double.
        const LD start = Max0(s.TaxAfterReductions[p]);
        LD tax = start;

        // Disability: 200 a point of code 5 and of each box; never eats the surcharge.
        if (s.LateMonths == 0) {
            const LD amount = 200 * c(5) + (c.ticked(1) ? 200 : 0) + (c.ticked(9) ? 200 : 0);
            kinds[13] = Store(amount);
            if (amount > 0) {
                const LD surcharge = s.ReceiptsSurcharge[p];
                tax = Store(surcharge + Max0(Max0(tax - surcharge) - amount));
            }
        }

        // Expenses of codes 55-58, limited by 5 % of the income.
        const LD income =
            0.05L * (Max0(static_cast<LD>(s.FarmingIncome[p]) + s.ForeignFarming[p] - s.FarmingLossOffset[p]) +
                     Max0(static_cast<LD>(s.BusinessIncome[p]) + s.ForeignBusiness[p] - s.BusinessLossOffset[p]) +
                     s.SalaryIncome[p] + s.ForeignSalary[p] + s.AddedDiffSalary[p] + s.AddedDiffFarming[p] +
                     s.AddedDiffBusiness[p] + s.RealEstateIncome[p] + s.Dividends[p] + s.Interest[p] +
                     s.Royalties[p] + s.ForeignDividends[p] + s.ForeignInterest[p] + s.ForeignRoyalties[p] +
                     s.CapitalGainIncome[p] + s.LumpSumIncome[p] + s.InsuranceIncome[p]);
        const auto expense = [&](LD code, LD limit) -> LD {
            if (!(code > 100)) return 0;
            LD x = Min(code, limit);
            if (income >= 0) x = Min(x, income);
            return 0.10L * x;
        };
        const LD credit = expense(c(55), 20000) + expense(c(57), p == T ? 5000 : 20000);
        tax = Store(tax - Put(kinds[14], credit));

        // Donations.
        if (s.LateMonths == 0) {
            const LD debt = Put(kinds[11], 0.20L * c(75));
            const LD base = s.AddedDifference[p] > 0
                                ? static_cast<LD>(s.TotalDeclaredIncome[p]) + s.AddedDifference[p]
                                : static_cast<LD>(s.IncomeForDeductionCap[p]);
            const LD z = 0.05L * base;
            const LD state = Put(kinds[10], c(59) > 100 ? 0.10L * Min(c(59), z) : 0);
            tax = Store(tax - (debt + state));
        }

        const LD after = Put(s.TaxAfterReductions[p], Max0(tax));
        s.OtherTaxReductions[p] = Store(Max0(start - after));
    }
}

void StageTaxDue(EngineState& s, const Edition&) {
    for (int p = T; p <= S; ++p) {
        s.SupplementaryTax[p] = 0;
        s.TaxDue[p] = s.TaxAfterReductions[p];
    }
}

}  // namespace kestrana::engine_detail
