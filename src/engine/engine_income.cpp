// Income by category, losses set off and the total declared income.
#include "engine/stages.h"

namespace kestrana::engine_detail {

namespace {

void PersonIncome(EngineState& s, const Edition& e, int p) {
    const Codes c{s, p};

    // Real estate; 0.95 is the 5 % allowance of the codes named with it.
    const LD credit163 = Put(s.RealEstateCredit163[p], Min(c(163), c(165)));
    const LD rent = Put(s.RentIncome[p],
                        c(101) + c(107) + 0.95L * (c(103) + c(105) + c(109) + c(121) + c(131) + c(133)));
    const LD sublease = Put(s.SubleaseIncome[p], Max0((c(515) - c(517)) + 0.95L * (c(111) - c(113))));
    const LD otherA = Put(s.RealEstateOtherA[p], 0.95L * c(145) + c(149));
    const LD otherB = Put(s.RealEstateOtherB[p], 0.95L * c(129) + 0.95L * c(143) + c(141) + c(147));
    const LD credit159 =
        Put(s.RealEstateCredit159[p], Min(c(159), (c(515) - c(517)) + c(101) + c(141) + c(149)));
    const LD realEstate =
        Put(s.RealEstateIncome[p], Max0(rent + sublease + otherA + otherB - credit159 - credit163));

    // Securities.
    const LD securities = Put(s.Dividends[p], c(291)) + Put(s.Interest[p], c(667)) + Put(s.Royalties[p], c(671));
    const LD securitiesIncome = Put(s.SecuritiesIncome[p], securities);

    // Salaried services, less the exempt part of code 351 (kinds 2 and 3).
    const LD salarySum = c(301) + c(303) + c(321) + c(309) + c(311) + c(343);
    const LD kind2 = s.Code351Kind2[p];
    const LD kind3 = s.Code351Kind3[p];
    LD exempt = kind2 > 0 ? Min(kind2, salarySum) : 0;
    if (kind3 > 0) exempt += Min(kind3, c(325));
    const LD salary = Put(s.SalaryIncome[p], Max0(c(301) + c(303) + c(321) + c(325) + c(307) + c(309) + c(311) +
                                                  c(343) - exempt));

    // Business: losses offset at most up to the income, so a negative
    // income is cancelled out of the total as well.
    const LD business = Put(s.BusinessIncome[p], c(401) + c(403) + c(409) + c(427));
    s.BusinessLossCode[p] = Store(c(413));
    s.BusinessPriorLossCode[p] = Store(c(415));
    const LD businessLosses = c(413) + c(415);
    const LD businessOffset =
        Put(s.BusinessLossOffset[p], businessLosses <= business ? businessLosses : business);

    // Farming, the same way.
    const LD farming = Put(s.FarmingIncome[p], c(461));
    s.FarmingLossCode[p] = Store(c(465));
    s.FarmingPriorLossCode[p] = Store(c(467));
    const LD farmingLosses = c(465) + c(467);
    const LD farmingOffset = Put(s.FarmingLossOffset[p], farmingLosses <= farming ? farmingLosses : farming);
    s.CurrentLossOffset[p] = Store(c(413) + c(465));
    s.PriorLossOffset[p] = Store(c(415) + c(467));
    s.StampDutyELGA[p] = 0;

    const LD capitalGain = Put(s.CapitalGainIncome[p], Max0(c(829) + c(865) - c(871)));
    const LD lumpSum = Put(s.LumpSumIncome[p], Max0(c(255) + c(251) - static_cast<LD>(s.Code351Kind1[p])));
    const LD insurance = Put(s.InsuranceIncome[p], c(395));

    // Foreign income, not clamped: a negative total is a loss.
    const LD foreign = Put(s.ForeignRealEstate[p], c(171)) + Put(s.ForeignDividends[p], c(295)) +
                       Put(s.ForeignInterest[p], c(669)) + Put(s.ForeignRoyalties[p], c(673)) +
                       Put(s.ForeignLumpSum[p], c(263)) + Put(s.ForeignSalary[p], c(389) + c(391) + c(393)) +
                       Put(s.ForeignBusiness[p], c(411)) + Put(s.ForeignFarming[p], c(463));
    s.ForeignSecurities[p] = e.rules.foreignSecuritiesCounted ? Store(c(295) + c(669) + c(673)) : 0.0;
    const LD foreignIncome = Put(s.ForeignIncome[p], foreign);
    const LD foreignLoss = Put(s.ForeignLoss[p], foreignIncome < 0 ? foreignIncome : 0);

    // Totals (stage 6).
    const LD declared = Put(s.DeclaredIncome[p], realEstate + securitiesIncome + business + farming + salary +
                                                     capitalGain + lumpSum + insurance);
    const LD setOff = foreignLoss + businessOffset + farmingOffset;
    s.SeparatelyTaxed[p] = Store(c(659) + c(619));
    s.TotalDeclaredIncome[p] = Store(Max0(declared + foreignIncome - setOff));
    s.IncomeForDeductionCap[p] = Store(Max0((rent + sublease) + securitiesIncome + business + farming + salary +
                                            capitalGain + insurance + foreignIncome - setOff));
    s.BusinessGross[p] = Store(c(475) + c(425));
}

}  // namespace

void StageIncome(EngineState& s, const Edition& e) {
    PersonIncome(s, e, T);
    PersonIncome(s, e, S);
    // A spouse with income makes the declaration joint.
    if (s.DeclaredIncome[S] > 0) s.Married = true;
}

}  // namespace kestrana::engine_detail
