#include "engine/intake.h"

namespace kestrana {

void LoadCodesFromE1(EngineState& s, const E1Intake& in) {
    s.CodeValue.fill(0);
    for (const CodeBoxValue& box : in.boxes) {
        if (box.code < 0 || box.code >= kCodeCount) continue;
        if (box.kind == CodeBoxKind::Tick) s.CodeValue[box.code] = box.filled ? 1.0 : 0.0;
        else if (box.filled) s.CodeValue[box.code] = box.value;
    }
    for (int p = T; p <= S; ++p) {
        s.FeeExempt[p] = in.feeExempt[p] || s.CodeValue[17 + p] != 0;
        s.FeeTouristTown[p] = in.feeTouristTown[p];
        s.FeeLargeCity[p] = in.feeLargeCity[p];
    }
}

void PrepareFromE1(EngineState& s, const E1Intake& in, const Edition& edition) {
    LoadCodesFromE1(s, in);
    s.LateMonths = in.lateMonths;
    s.Married = in.married;
    ComputeLuxuryFigures(s, in.assets, edition);
}

}  // namespace kestrana
