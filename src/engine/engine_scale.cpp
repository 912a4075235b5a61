// Taxes of the categories by the scales and flat rates, and the salary
// tax reduction.
#include "engine/stages.h"

namespace kestrana::engine_detail {

namespace {

// Salary stacked above a business base taxed at the reduced rate.
LD StackedSalaryTax(LD total, LD business) {
    if (total <= 20000) return 0.22L * (total - business);
    if (total <= 30000) return 0.29L * (total - 20000) + 0.22L * (20000 - business);
    if (total <= 40000) return 0.37L * (total - 30000) + 0.22L * (20000 - business) + 2900;
    return 0.45L * (total - 40000) + 0.22L * (20000 - business) + 2900 + 3700;
}

void PersonTaxes(EngineState& s, const Edition& e, int p) {
    const Codes c{s, p};
    const auto& share = s.DeductionShare[p];  // category k is share[k - 1]

    // A. Salary and business bases.
    LD sb = Max0(static_cast<LD>(s.SalaryIncome[p]) + s.ForeignSalary[p] - share[3] + s.AddedDiffSalary[p]);
    const LD businessNet = static_cast<LD>(s.BusinessIncome[p]) + s.ForeignBusiness[p] - s.BusinessLossOffset[p];
    LD bb = businessNet >= 0 ? businessNet - share[1] + s.AddedDiffBusiness[p]
                             : static_cast<LD>(s.AddedDiffBusiness[p]);
    bb = Max0(bb);
    if (bb <= 0) {
        if (Code307Movable(c)) {
            bb = c(307);
            sb = Max0(sb - c(307));
        }
    } else {
        sb = Max0(sb - c(307));
        bb += c(307);
    }

    // B, C. Each base alone; the reduced business rate of code 017.
    const LD salaryAlone = Put(s.SalaryAloneTax[p], Scale(sb));
    const LD businessCodes = c(425) + c(403) + c(409) + c(427);
    const bool reduced = c.ticked(17) && businessCodes > 0 && businessCodes <= 10000 && bb > 0 && bb <= 10000;
    const LD added = s.AddedDiffBusiness[p];
    const LD reducedTax = 0.22L * added + 0.11L * (bb - added);
    if (bb > 0) s.BusinessAloneTax[p] = Store(reduced ? reducedTax : Scale(bb));

    // D. Salary and business together, split by their bases.
    const LD both = sb + bb;
    if (both > 0) {
        const LD joint = reduced ? reducedTax + StackedSalaryTax(both, bb) : Scale(both);
        // The salary part is the joint tax less the business part as stored,
        // and only then are both rounded.
        const LD business = Store(bb / both * joint);
        s.BusinessScaleTax[p] = Store(RoundCents(business));
        s.SalaryScaleTax[p] = Store(RoundCents(joint - business));
    }

    // E, F. Real estate and the flat rates.
    const LD rent = Put(s.RentScaleTax[p],
                        RoundCents(RentScale(Max0(static_cast<LD>(s.RealEstateIncome[p]) + s.ForeignRealEstate[p] -
                                                  share[0]))));
    const auto flat = [&](double& field, LD base, LD rate) { return Put(field, RoundCents(rate * Max0(base))); };
    const LD dividend = flat(s.DividendTax[p], static_cast<LD>(s.Dividends[p]) + s.ForeignDividends[p] - share[4], 0.15L);
    const LD interest = flat(s.InterestTax[p], static_cast<LD>(s.Interest[p]) + s.ForeignInterest[p] - share[5], 0.15L);
    const LD royalty = flat(s.RoyaltyTax[p], static_cast<LD>(s.Royalties[p]) + s.ForeignRoyalties[p] - share[6], 0.20L);
    const LD capitalGain = flat(s.CapitalGainTax[p], static_cast<LD>(s.CapitalGainIncome[p]) - share[7], 0.15L);

    // G. Lump sums, the rate chosen by kind code 201.
    const LD lumpBase = Max0(static_cast<LD>(s.LumpSumIncome[p]) + s.ForeignLumpSum[p] - share[8]);
    const LD kind = RoundKind(c(201));
    LD lump = 0;
    if (kind == 1) {
        lump = 0.15L * lumpBase;
    } else if (kind == 2) {
        lump = 0.10L * lumpBase;
    } else if (kind == 3) {
        const LD rest = lumpBase - c(253) - c(267);
        lump = rest > 0 ? 0.15L * rest + 0.10L * (c(253) + c(267)) : 0;
    }
    if (p == S || kind == 3) lump = RoundCents(lump);
    lump = Put(s.LumpSumTax[p], lump);

    // H. Insurance compensations.
    const LD insuranceBase = Max0(static_cast<LD>(s.InsuranceIncome[p]) - share[9]);
    LD insurance;
    if (!c.ticked(971))
        insurance = insuranceBase <= 40000 ? 0.10L * insuranceBase : 4000 + 0.20L * (insuranceBase - 40000);
    else
        insurance = 0.15L * insuranceBase;
    if (c.ticked(973)) insurance *= 1.5L;
    insurance = Put(s.InsuranceTax[p], RoundCents(insurance));

    // I. Flat-rate total (the business scale tax counts here).
    const LD businessTax = s.BusinessScaleTax[p];
    s.FlatRateTax[p] = Store(rent + businessTax + dividend + interest + royalty + capitalGain + lump + insurance);

    // J. Farming.
    const LD farmingNet = static_cast<LD>(s.FarmingIncome[p]) + s.ForeignFarming[p] - s.FarmingLossOffset[p];
    const LD farmingBase =
        Max0(farmingNet >= 0 ? farmingNet - share[2] + s.AddedDiffFarming[p] : static_cast<LD>(s.AddedDiffFarming[p]));
    const LD farmingTax = Put(s.FarmingScaleTax[p], RoundCents(Scale(farmingBase)));

    // K. Before the reduction.
    s.ScaleTax[p] = Store(rent + businessTax + farmingTax + s.SalaryScaleTax[p] + dividend + interest + royalty +
                          capitalGain + lump + insurance);

    // L. Salary tax reduction.
    const LD dependents = Min(RoundKind(s.Code(3) + s.Code(4)), 3);
    s.Dependents[p] = dependents > 0 ? static_cast<int>(dependents) : 0;
    LD rb = sb;
    for (double x : share) rb += x;
    const LD farming = s.FarmingIncome[p];
    const LD farmingOwn = farming - c(465) - c(467) + s.CoverFarmingLike[p];
    const LD other = static_cast<LD>(s.InsuranceIncome[p]) + s.LumpSumIncome[p] + s.RealEstateIncome[p] +
                     s.SecuritiesIncome[p] + s.BusinessIncome[p] + s.CapitalGainIncome[p] + s.CoverSalaryLike[p] +
                     s.CoverBusinessLike[p] - c(413) - c(415);
    const bool older = e.rules.salaryReductionOlderRules;
    bool farmerMainly;
    if (older) {
        farmerMainly = c.ticked(37) && other <= farmingOwn;
    } else {
        const LD fp = Max0(farming - c(465) - c(467)) + s.CoverFarmingLike[p];
        farmerMainly = c.ticked(37) && (other <= fp || (other == 0 && farmingOwn != 0));
    }
    s.FarmerMainly[p] = farmerMainly;
    if (farmerMainly) rb += farming - share[2];
    rb = Max0(rb);

    LD reduction = s.RestrictedReliefs[p] ? 0 : SalaryReductionAmount(s.Dependents[p], rb);
    LD salaryCut = 0, farmingCut = 0;
    LD salaryTax = s.SalaryScaleTax[p];
    LD farmTax = farmingTax;
    if (older && !(rb > 0)) reduction = 0;
    if (!farmerMainly) {
        const LD limit = older ? salaryTax : salaryAlone;
        if (reduction <= limit) {
            salaryTax -= reduction;
            salaryCut = reduction;
        } else {
            salaryCut = limit;
            salaryTax = Max0(salaryTax - limit);
        }
    } else {
        const LD salaryIncome = s.SalaryIncome[p];
        if (salaryIncome + farming <= 0) {
            (older ? salaryCut : farmingCut) = reduction;
        } else {
            farmingCut = Store(farming / (salaryIncome + farming) * reduction);
            salaryCut = Store(salaryIncome / (salaryIncome + farming) * reduction);
        }
        if (salaryCut > salaryTax) {
            salaryCut = salaryTax;
            salaryTax = 0;
        } else {
            salaryTax -= salaryCut;
        }
        if (farmingCut > farmTax) {
            farmingCut = farmTax;
            farmTax = 0;
        } else {
            farmTax -= farmingCut;
        }
    }
    s.SalaryScaleTax[p] = Store(salaryTax);
    s.FarmingScaleTax[p] = Store(farmTax);
    s.SalaryTaxReduction[p] = Store(salaryCut);
    s.FarmingTaxReduction[p] = Store(farmingCut);
    s.TaxReductionKinds[p][0] = Store(salaryCut + farmingCut);
}

}  // namespace

void StageScaleTaxes(EngineState& s, const Edition& e) {
    PersonTaxes(s, e, T);
    PersonTaxes(s, e, S);
}

}  // namespace kestrana::engine_detail
