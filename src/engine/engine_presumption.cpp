// Presumed living expenses, the added difference and the category it
// belongs to; code 661 as salary or as a separately taxed amount.
#include <initializer_list>

#include "engine/stages.h"

namespace kestrana::engine_detail {

namespace {

constexpr int kLivingCodes[] = {115, 117, 119, 707, 709, 711, 713, 715, 731, 765};
constexpr int kGroupBCodes[] = {719, 721, 723, 725, 727, 735, 743, 759};

LD SumCodes(const Codes& c, std::initializer_list<int> codes) {
    LD sum = 0;
    for (int k : codes) sum += c(k);
    return sum;
}

LD GroupB(const Codes& c) {
    LD sum = 0;
    for (int k : kGroupBCodes) sum += c(k);
    return sum;
}

LD Living(const Codes& c) {
    LD sum = 0;
    for (int k : kLivingCodes) sum += c(k);
    return sum;
}

enum class Category { Salary, Business, Farming };

bool InList(LD kind, std::initializer_list<int> list) {
    for (int k : list)
        if (kind == k) return true;
    return false;
}

// Where an amount of codes 659/619/657/617 belongs, by its kind code and
// the kind lists of the income year.
Category KindCategory(int amountCode, LD kind, int incomeYear) {
    const bool firstPair = amountCode == 659 || amountCode == 619;
    const auto in = [&](int lo, int hi) { return kind >= lo && kind <= hi; };
    if (incomeYear >= 2018) {
        if (amountCode == 659) {
            if (in(1, 7) || InList(kind, {15, 17, 24, 27})) return Category::Salary;
        } else if (amountCode == 619) {
            if (in(1, 7) || InList(kind, {15, 17, 27})) return Category::Salary;
        } else if (in(1, 6) || in(10, 14)) {
            return Category::Salary;
        }
    } else {
        if (firstPair) {
            if (in(1, 7) || InList(kind, {12, 15, 17, 24})) return Category::Salary;
        } else if (in(1, 7)) {
            return Category::Salary;
        }
    }
    if (firstPair && in(18, 20)) return Category::Farming;
    return Category::Business;
}

// Business income no more than the fees, compared to the cent: the stored
// income is the fees' sum rounded to a double, the fees here an unrounded
// sum, so 1000.10 + 2000.20 would otherwise leave 1e-13 of "business".
bool FeesCoverBusiness(double businessIncome, LD fee) { return RoundCents(businessIncome - fee) <= 0; }

// Step H1: fees of codes 403/409 that fit in the 6000 room count as
// salary. Returns the room R (0 when the rule does not apply).
LD RoomRule(EngineState& s, int p) {
    const Codes c{s, p};
    const LD fee = c(403) + c(409);
    const bool applies = s.PresumedExpenses[p] <= 9500 &&
                         static_cast<LD>(s.FarmingIncome[p]) + s.ForeignFarming[p] + s.CoverFarmingLike[p] == 0 &&
                         FeesCoverBusiness(s.BusinessIncome[p], fee) && c(413) == 0 && c(425) == 0 && fee > 0;
    if (!applies) return 0;
    LD room = 6000 - (static_cast<LD>(s.RealEstateIncome[p]) + s.ForeignRealEstate[p] + s.CapitalGainIncome[p] +
                      s.SecuritiesIncome[p] + s.ForeignSecurities[p] + s.InsuranceIncome[p] +
                      s.CoverBusinessLike[p] + s.CoverSalaryLike[p] - c(661));
    room = Max0(room);
    const LD w = static_cast<LD>(s.SalaryIncome[p]) + s.ForeignSalary[p] + s.LumpSumIncome[p];
    const LD separate = s.Code661Separate[p];
    if (w == 0) {
        s.SalaryIncome[p] = Store(fee);
        if (fee <= room) {
            s.BusinessIncome[p] = 0;
        } else {
            s.BusinessIncome[p] = Store(fee - room);
            s.SalaryIncome[p] = Store(room);
        }
    } else if (room < fee + w + separate) {
        if (w + separate < room) {
            const LD d = room - (w + separate);
            s.SalaryIncome[p] = Store(s.SalaryIncome[p] + d);
            s.BusinessIncome[p] = Store(s.BusinessIncome[p] - d);
        }
    } else {
        s.SalaryIncome[p] = Store(s.SalaryIncome[p] + fee);
        s.BusinessIncome[p] = 0;
    }
    return room;
}

// Step H2: the category that takes the added difference.
Category PlaceAddedDifference(const EngineState& s, int p, LD room) {
    const Codes c{s, p};
    const LD s1 = static_cast<LD>(s.SalaryIncome[p]) + s.ForeignSalary[p] + s.LumpSumIncome[p];
    const LD f1 = static_cast<LD>(s.FarmingIncome[p]) + s.ForeignFarming[p] - s.FarmingLossOffset[p];
    const LD r1 = static_cast<LD>(s.RealEstateIncome[p]) + s.ForeignRealEstate[p] + s.SecuritiesIncome[p] +
                  s.ForeignSecurities[p] + s.CapitalGainIncome[p];
    const LD b1 = static_cast<LD>(s.BusinessIncome[p]) - s.BusinessLossOffset[p];
    const LD i1 = s.InsuranceIncome[p];
    const LD vs = s.CoverSalaryLike[p], vb = s.CoverBusinessLike[p], vf = s.CoverFarmingLike[p];
    const LD business = s.BusinessIncome[p];
    const LD declaredAll = static_cast<LD>(s.DeclaredIncome[p]) + s.ForeignIncome[p];

    if (c.ticked(777)) return Category::Salary;
    if (declaredAll + vs + vb + vf == 0) {
        if (c(413) > 0) return Category::Business;
        if (c(465) + c(467) > 0) return Category::Farming;
        return Category::Salary;
    }
    const LD passive = static_cast<LD>(s.SecuritiesIncome[p]) + s.ForeignSecurities[p] + s.RealEstateIncome[p] +
                       s.CapitalGainIncome[p] + s.InsuranceIncome[p];
    if (RoundCents(declaredAll) == RoundCents(passive) && s.PresumedExpenses[p] <= 9500 &&
        c(413) + c(465) + c(467) <= 0 && vs + vb + vf - c(431) == 0)
        return Category::Salary;
    if (room > 0) {
        if (business + vb > s1 + r1 + f1 + vs + vf + i1) return Category::Business;
        if (f1 + vf > s1 + vs + i1) return r1 + b1 + vb > f1 + vf ? Category::Business : Category::Farming;
        return r1 + b1 + vb > s1 + vs + i1 ? Category::Business : Category::Salary;
    }
    if (business + vb + i1 > s1 + r1 + f1 + vs + vf) return Category::Business;
    if (f1 + vf > s1 + vs) return r1 + b1 + vb + i1 > f1 + vf ? Category::Business : Category::Farming;
    return r1 + b1 + vb + i1 > s1 + vs ? Category::Business : Category::Salary;
}

// Step B: the joint amount of codes 769/770, shared by income.
void JointShares(const EngineState& s, const Edition& e, LD share[2]) {
    const LD joint = s.Code(769) + s.Code(770);
    const LD tdiT = s.TotalDeclaredIncome[T], tdiS = s.TotalDeclaredIncome[S];
    const LD tdiSum = tdiT + tdiS;
    share[T] = joint;
    share[S] = 0;
    if (e.rules.jointSplitCounts661) {
        const LD c661 = s.Code(661), c662 = s.Code(662);
        if (static_cast<LD>(s.DeclaredIncome[T]) + c661 + s.DeclaredIncome[S] + c662 <= 0 || tdiSum <= 0) return;
        const LD d = tdiSum + c661 + c662;
        if (d > 0) {
            share[T] = (tdiT + c661) / d * joint;
            share[S] = (tdiS + c662) / d * joint;
            return;
        }
        // Negative codes 661/662 can cancel the divisor; the income alone
        // (positive here) then decides the split.
    } else if (static_cast<LD>(s.DeclaredIncome[T]) + s.DeclaredIncome[S] <= 0 || tdiSum <= 0) {
        // Losses can leave no total income to divide by even when income is
        // declared; the taxpayer then carries the joint amount.
        return;
    }
    share[T] = tdiT / tdiSum * joint;
    share[S] = tdiS / tdiSum * joint;
}

}  // namespace

void StagePresumption(EngineState& s, const Edition& e) {
    // A. Nothing to cover and code 319 ticked: no presumption at all.
    LD cover = 0;
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        cover += s.TotalDeclaredIncome[p] + SumCodes(c, {659, 619, 431, 433, 613, 305, 335, 995, 661});
    }
    if (cover == 0 && s.Ticked(319)) return;

    // B, C. Shares of the joint amount and the basic presumption.
    LD share[2];
    JointShares(s, e, share);
    if (!s.Ticked(385)) {
        if (!s.Married) {
            share[T] += 3000;
        } else {
            share[T] += 2500;
            share[S] += 2500;
        }
    }

    // D. Totals.
    LD presumed[2], groupB[2];
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        groupB[p] = GroupB(c);
        LD total = Living(c) + groupB[p] + share[p];
        if (s.RestrictedReliefs[p]) {
            total = 0;
            if (s.TotalDeclaredIncome[p] + SumCodes(c, {657, 617, 659, 619, 661, 431, 305, 335}) > 0)
                total = groupB[p];
        }
        s.PresumedExpenses[p] = Store(total);
        if (c.ticked(13)) total = groupB[p] + 0.7L * (total - groupB[p]);
        presumed[p] = Put(s.PresumedExpenses[p], total);
    }

    // E. Added difference.
    if (presumed[T] + presumed[S] == 0) return;
    const LD tdiT = s.TotalDeclaredIncome[T], tdiS = s.TotalDeclaredIncome[S];
    if (!(tdiT + tdiS >= presumed[T] + presumed[S])) {
        LD coverage[2];
        for (int p = T; p <= S; ++p) {
            const Codes c{s, p};
            coverage[p] = c(781) + Min(c(783), groupB[p]) + c(787) +
                          SumCodes(c, {659, 619, 657, 617, 661, 431, 305, 335});
            if (e.rules.code435Counted) coverage[p] += c(435);
        }
        if ((presumed[T] - coverage[T]) + (presumed[S] - coverage[S]) > 0) {
            LD added[2] = {presumed[T] - coverage[T] - tdiT, presumed[S] - coverage[S] - tdiS};
            if (added[T] < 0) {
                added[S] += added[T];
                added[T] = 0;
            } else if (added[S] < 0) {
                added[T] += added[S];
                added[S] = 0;
            }
            s.AddedDifference[T] = Store(Max0(added[T]));
            s.AddedDifference[S] = Store(Max0(added[S]));
        }
    }

    // F. Code 661: separately taxed for small incomes, else salary.
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        const LD x = s.DeclaredIncome[p] + SumCodes(c, {659, 619, 657, 617, 433, 613, 431, 305, 335}) +
                     s.AddedDifference[p];
        const LD c661 = c(661);
        if (x <= 10000) {
            s.SeparatelyTaxed[p] = Store(s.SeparatelyTaxed[p] + c661);
            s.Code661Separate[p] = Store(c661);
            s.Code661Taxed[p] = 0;
        } else {
            s.DeclaredIncome[p] = Store(s.DeclaredIncome[p] + c661);
            s.SalaryIncome[p] = Store(s.SalaryIncome[p] + c661);
            s.TotalDeclaredIncome[p] = Store(s.TotalDeclaredIncome[p] + c661);
            s.Code661Taxed[p] = Store(c661);
            s.Code661Separate[p] = 0;
        }
    }

    // G. Non-taxable amounts by the category their kind names.
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        LD covers[3] = {c(661) + c(305) + c(335), c(431), 0};
        static constexpr int kPairs[4][2] = {{659, 299}, {619, 399}, {657, 499}, {617, 599}};
        for (const auto& pair : kPairs) {
            const Category cat = KindCategory(pair[0], RoundKind(c(pair[1])), e.rules.nonTaxableKindYear);
            covers[cat == Category::Salary ? 0 : cat == Category::Business ? 1 : 2] += c(pair[0]);
        }
        s.CoverSalaryLike[p] = Store(covers[0]);
        s.CoverBusinessLike[p] = Store(covers[1]);
        s.CoverFarmingLike[p] = Store(covers[2]);
    }

    // H. Room rule and placing, the taxpayer first.
    for (int p = T; p <= S; ++p) {
        const LD room = RoomRule(s, p);
        if (!(s.AddedDifference[p] > 0)) continue;
        switch (PlaceAddedDifference(s, p, room)) {
            case Category::Salary: s.AddedDiffSalary[p] = s.AddedDifference[p]; break;
            case Category::Business: s.AddedDiffBusiness[p] = s.AddedDifference[p]; break;
            case Category::Farming: s.AddedDiffFarming[p] = s.AddedDifference[p]; break;
        }
    }
}

}  // namespace kestrana::engine_detail
