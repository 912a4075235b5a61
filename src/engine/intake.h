#pragma once
// What the engine takes from an E1 declaration: the value of every code box
// by its code and kind, and the few inputs that are not codes (the
// professional-fee flags, the cars and boats the luxury figures need,
// married, the months of late filing). Every entry path fills this from the
// one E1 document, so every path hands the engine the same numbers.
#include <array>
#include <cstdint>
#include <vector>

#include "engine/engine_state.h"

namespace kestrana {

enum class CodeBoxKind { Amount, Whole, Tick };

// One code box as the declaration holds it.
struct CodeBoxValue {
    int code = 0;
    CodeBoxKind kind = CodeBoxKind::Amount;
    bool filled = false;  // an amount or whole-number box with text; a ticked tick box
    double value = 0;     // the box's value (a tick box: ignored, ticked counts 1)
};

// The assets the luxury figures are computed from (not codes of the form).
struct CarAsset {
    int32_t capacity = 0;  // cc; empty is 0
    int32_t year = 0;      // first registration; empty is 0
};
struct BoatAsset {
    double length = 0;     // metres
    bool sailing = false;  // sailing or traditional boat
};
struct LuxuryAssets {
    std::array<CarAsset, 7> cars{};
    std::array<BoatAsset, 2> boats{};
};

struct E1Intake {
    // In the form's order: of two boxes of one code the later one wins.
    std::vector<CodeBoxValue> boxes;
    PersonFlags feeExempt{};       // merchant born up to 1956 (017/018 ticked count as well)
    PersonFlags feeTouristTown{};
    PersonFlags feeLargeCity{};
    bool married = false;
    int32_t lateMonths = 0;
    LuxuryAssets assets;
};

// Clears CodeValue and fills it from the boxes: an empty box is not
// declared, a tick box counts 1 when ticked and 0 when not, a code above
// 1000 is left out. Sets the professional-fee flags.
void LoadCodesFromE1(EngineState& state, const E1Intake& intake);

// The luxury-tax bases and amounts from the cars and boats and the
// presumption codes already in `state` (after LoadCodesFromE1).
void ComputeLuxuryFigures(EngineState& state, const LuxuryAssets& assets, const Edition& edition);

// Everything before ComputeClearance: codes and fee flags, late months,
// married, luxury figures.
void PrepareFromE1(EngineState& state, const E1Intake& intake, const Edition& edition);

}  // namespace kestrana
