#pragma once
// Shared by the stage files of the engine; not part of its interface.
#include <cfloat>
#include <cmath>

#include "editions/edition.h"
#include "engine/engine_state.h"

namespace kestrana::engine_detail {

using LD = long double;

// Results are formed in extended precision. Storing saturates at the
// largest double so that huge entries never turn into infinities (and,
// further on, into NaN).
inline double Store(LD x) {
    if (__builtin_expect(std::fabs(x) <= static_cast<LD>(DBL_MAX), 1)) return static_cast<double>(x);
    return x > 0 ? DBL_MAX : -DBL_MAX;
}

// Stores a result and gives back what was stored, so that later formulas
// read the double as every other stage does.
inline LD Put(double& field, LD x) {
    field = Store(x);
    return field;
}

inline LD Max0(LD x) { return x < 0 ? 0 : x; }
inline LD Min(LD a, LD b) { return b < a ? b : a; }

// Toward zero, as std::truncl, without switching the x87 rounding mode (which
// costs more than the rest of a rounding). Adding and taking away 2^63 leaves
// the nearest whole number, the 64-bit mantissa having no room for fractions
// there; one step down when that went up. Magnitudes from 2^63 on are whole.
inline LD TruncToward0(LD y) {
    constexpr LD kTwo63 = 9223372036854775808.0L;
    static_assert(LDBL_MANT_DIG == 64, "x87 extended precision");
    const bool negative = std::signbit(y);
    const LD a = negative ? -y : y;
    if (!(a < kTwo63)) return y;
    LD r = (a + kTwo63) - kTwo63;
    if (r > a) r -= 1;
    return negative ? -r : r;
}

// x100, +0.5, truncate toward zero, /100.
inline LD RoundCents(LD x) { return TruncToward0(x * 100 + 0.5L) / 100; }

// Kinds and counts: nearest integer, a half to the even neighbour.
inline LD RoundKind(LD x) { return std::nearbyintl(x); }

// General scale; a negative amount bears no tax.
inline LD Scale(LD x) {
    if (x <= 0) return 0;
    if (x <= 20000) return 0.22L * x;
    if (x <= 30000) return 4400 + 0.29L * (x - 20000);
    if (x <= 40000) return 7300 + 0.37L * (x - 30000);
    return 11000 + 0.45L * (x - 40000);
}

inline LD RentScale(LD x) {
    if (x <= 0) return 0;
    if (x <= 12000) return 0.15L * x;
    if (x <= 35000) return 1800 + 0.35L * (x - 12000);
    return 9850 + 0.45L * (x - 35000);
}

inline LD Solidarity(LD x) {
    if (x <= 12000) return 0;
    if (x <= 20000) return 0.022L * (x - 12000);
    if (x <= 30000) return 176 + 0.05L * (x - 20000);
    if (x <= 40000) return 676 + 0.065L * (x - 30000);
    if (x <= 65000) return 1326 + 0.075L * (x - 40000);
    if (x <= 220000) return 3201 + 0.09L * (x - 65000);
    return 17151 + 0.10L * (x - 220000);
}

// Salary tax reduction before any limit, on base `rb` (already >= 0).
inline LD SalaryReductionAmount(int dependents, LD rb) {
    static constexpr LD kBase[4] = {1900, 1950, 2000, 2100};
    LD r = kBase[dependents < 0 ? 0 : (dependents > 3 ? 3 : dependents)];
    if (rb > 20000) r -= 0.01L * (rb - 20000);
    return Max0(r);
}

// Code access for person p: `c(k)` reads code k for the taxpayer and
// k + 1 for the spouse, as the odd/even pairing of the form.
struct Codes {
    const EngineState& s;
    int p;
    // k is one of the form's codes (at most 999), so k + p stays in the table.
    LD operator()(int k) const { return s.CodeValue[k + p]; }
    bool ticked(int k) const { return s.CodeValue[k + p] != 0; }
};

// Codes 301 + 325 + 309 + 311 + 343 + 389 + 391 + 393: salary present,
// which lets code 307 count as business income.
inline bool Code307Movable(const Codes& c) {
    return c(307) > 0 &&
           c(301) + c(325) + c(309) + c(311) + c(343) + c(389) + c(391) + c(393) > 0;
}

// Stages, in the order the driver runs them.
void StageIncome(EngineState& s, const Edition& e);        // 5, 6
void StagePresumption(EngineState& s, const Edition& e);   // 7
void StageDeductions(EngineState& s, const Edition& e);    // 8, 9
void StageScaleTaxes(EngineState& s, const Edition& e);    // 10
void StageReceipts(EngineState& s, const Edition& e);      // 11
void StageCode77(EngineState& s, const Edition& e);        // 12
void StageTaxAfterScale(EngineState& s, const Edition& e); // 13
void StageTaxReductions(EngineState& s, const Edition& e); // 14
void StageTaxDue(EngineState& s, const Edition& e);        // 15
void StageStampDuties(EngineState& s, const Edition& e);   // 16
void StageWithholdings(EngineState& s, const Edition& e);  // 17
void StageLumpSumBalance(EngineState& s, const Edition& e);// 18
void StagePrincipalTax(EngineState& s, const Edition& e);  // 19
void StageLateFiling(EngineState& s, const Edition& e);    // 20
void StageCertifiedTotals(EngineState& s, const Edition& e); // 21
void StageOtherAmounts(EngineState& s, const Edition& e);  // 22
void StageFinalBalance(EngineState& s, const Edition& e);  // 23
void StageStatementFigures(EngineState& s);                // the statement's sums

}  // namespace kestrana::engine_detail
