#include "editions/edition.h"
#include "engine/engine_state.h"
#include "engine/stages.h"

namespace kestrana {

using namespace engine_detail;

namespace {

// Stage 1: every result to zero; the inputs stay.
void StageReset(EngineState& s) {
    static_cast<EngineResults&>(s) = EngineResults{};
    s.NothingDeclared = false;
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        s.RestrictedReliefs[p] = c.ticked(319) && !c.ticked(385);
        s.FarmerMainly[p] = false;
    }
}

// Stage 2: the kind of code 799/800 says where the amount of 351/352 goes.
void StageRouteCode351(EngineState& s) {
    for (int p = T; p <= S; ++p) {
        const Codes c{s, p};
        const LD kind = RoundKind(c(799));
        const double amount = s.Code(351 + p);
        s.Code351Kind1[p] = kind == 1 ? amount : 0;
        s.Code351Kind2[p] = kind == 2 ? amount : 0;
        s.Code351Kind3[p] = kind == 3 ? amount : 0;
    }
}

// Stage 3: codes that are filled on every declaration do not count.
bool SomethingDeclared(const EngineState& s, const Edition& e) {
    if (s.Married) return true;
    for (int code = 1; code < kCodeCount; ++code) {
        switch (code) {
            case 1: case 13: case 92: case 94: case 96: case 97: case 98:
            case 99: case 905: case 913:
                continue;
            case 896:
                if (e.rules.validationSkipsCode896) continue;
                break;
            default:
                break;
        }
        if (s.CodeValue[code] != 0) return true;
    }
    return false;
}

// Stage 4: the car presumption totals and the prepayment switches.
void StageCarsAndSwitches(EngineState& s) {
    for (int p = T; p <= S; ++p) {
        LD cars = 0;
        for (int code = 851; code <= 863; code += 2) cars += s.Code(code + p);
        s.CodeValue[709 + p] = Store(cars);
    }
    s.NoPrepayment = s.Ticked(331);
    s.PrepaymentHalved[T] = s.Ticked(327);
    s.PrepaymentHalved[S] = s.Ticked(328);
    s.CreditMode = false;
}

}  // namespace

void ComputeClearance(EngineState& s, const Edition& e) {
    StageReset(s);
    StageRouteCode351(s);
    if (!SomethingDeclared(s, e)) {
        s.NothingDeclared = true;
        return;
    }
    StageCarsAndSwitches(s);
    StageIncome(s, e);
    StagePresumption(s, e);
    StageDeductions(s, e);
    StageScaleTaxes(s, e);
    StageReceipts(s, e);
    StageCode77(s, e);
    StageTaxAfterScale(s, e);
    StageTaxReductions(s, e);
    StageTaxDue(s, e);
    StageStampDuties(s, e);
    StageWithholdings(s, e);
    StageLumpSumBalance(s, e);
    StagePrincipalTax(s, e);
    StageLateFiling(s, e);
    StageCertifiedTotals(s, e);
    StageOtherAmounts(s, e);
    StageFinalBalance(s, e);
    StageStatementFigures(s);
}

}  // namespace kestrana
