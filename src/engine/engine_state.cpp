#include "engine/engine_state.h"

namespace kestrana {

void ForEachResult(const EngineState& s, const ResultVisitor& visit) {
#define KESTRANA_VISIT_PERSON(name) visit(#name, s.name.data(), 2);
    KESTRANA_PERSON_RESULTS(KESTRANA_VISIT_PERSON)
#undef KESTRANA_VISIT_PERSON
#define KESTRANA_VISIT_JOINT(name) visit(#name, &s.name, 1);
    KESTRANA_JOINT_RESULTS(KESTRANA_VISIT_JOINT)
#undef KESTRANA_VISIT_JOINT

    // Nested arrays are contiguous: T's entries, then S's.
    visit("DeductionShare", s.DeductionShare[0].data(), 2 * kDeductionCategories);
    visit("TaxReductionKinds", s.TaxReductionKinds[0].data(), 2 * kTaxReductionKindCount);

    const auto pair = [&](const char* name, double t, double sp) {
        const double v[2] = {t, sp};
        visit(name, v, 2);
    };
    const auto one = [&](const char* name, double x) { visit(name, &x, 1); };
    pair("Dependents", s.Dependents[T], s.Dependents[S]);
    pair("RestrictedReliefs", s.RestrictedReliefs[T], s.RestrictedReliefs[S]);
    pair("FarmerMainly", s.FarmerMainly[T], s.FarmerMainly[S]);
    pair("PrepaymentHalved", s.PrepaymentHalved[T], s.PrepaymentHalved[S]);
    one("NoPrepayment", s.NoPrepayment);
    one("CreditMode", s.CreditMode);
    one("NothingDeclared", s.NothingDeclared);
}

}  // namespace kestrana
