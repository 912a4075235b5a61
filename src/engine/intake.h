#pragma once
// How the E1 window, an E1 record and fast entry fill the engine's inputs.
// Headless: the windows turn their controls into these plain values.
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_state.h"

namespace kestrana {

class E1Record;

enum class IntakeControl { Amount, Integer, Tick };

// One code box of the E1 window.
struct IntakeEntry {
    std::string name;  // component name: "edP301", "cbP013", "edp093"
    IntakeControl kind = IntakeControl::Amount;
    bool empty = false;  // amount or integer box with empty text: not declared
    double value = 0;    // the box's value; a tick box: non-zero when ticked
};

// What the clearance needs from the E1 window.
struct E1IntakeInput {
    std::vector<IntakeEntry> entries;  // code boxes in component order
    bool exemptF = false;       // cbExairesiF
    bool exemptS = false;       // cbExairesiS
    bool touristTownF = false;  // cbTelos400F
    bool touristTownS = false;  // cbTelos400S
    bool largeCityF = false;    // cbTelos500F
    bool largeCityS = false;    // cbTelos500S
    bool married = false;       // cbMarried
    int32_t lateMonths = 0;     // edEkprot
    std::array<int32_t, 7> carCapacity{};  // edCarIppoi1..7 (cc; empty is 0)
    std::array<int32_t, 7> carYear{};      // edCarYear1..7 (empty is 0)
    double boatLength1 = 0;     // edScafosLen
    double boatLength2 = 0;     // edScafosLen2
    bool boatType1 = false;     // cbBoatType1: sailing or traditional boat 1
    bool boatType3 = false;     // cbBoatType3: the same for boat 2
};

// The code in the three characters after `prefix` ("edP301" with "EDP"
// gives 301), letter case ignored; nullopt when they are not three digits
// or the code is above 1000.
std::optional<int> CodeFromControlName(std::string_view name, std::string_view prefix);

// Clears CodeValue and fills it and the professional-fee flags.
void LoadCodesFromE1(EngineState& state, const E1IntakeInput& input);

// The luxury-tax bases and amounts, from the cars and boats of `input` and
// the presumption codes already in `state` (after LoadCodesFromE1).
void ComputeLuxuryFigures(EngineState& state, const E1IntakeInput& input, const Edition& edition);

// Everything the E1 window does before ComputeClearance: codes, fee flags,
// late months, married, luxury figures.
void PrepareFromE1(EngineState& state, const E1IntakeInput& input, const Edition& edition);

// Which control of the E1 window shows a code (nullopt: none), as the window
// would load the record; used to mirror what the window would hand over.
using CodeControlLookup = std::function<std::optional<IntakeControl>(int code)>;

// The intake input of a stored declaration, as the E1 window would hold it
// after loading the record. Without `lookup` every stored code counts as an
// amount box; with it, codes without a control are dropped, integer boxes
// are rounded and tick boxes read 1 when the value is not 0.
E1IntakeInput IntakeInputFromE1Record(const E1Record& record, const CodeControlLookup& lookup = {});

// Fast entry: a row of the code/amount list, as typed.
struct FastEntryRow {
    std::string code;
    std::string amount;
};

struct IntakeResult {
    bool ok = true;
    std::string message;  // the error to show when !ok
};

// A ticked box marks its code with this value when nothing else set it:
// non-zero for every tick test and for the "something declared" check. A
// box on a code the computation reads as an amount (617) marks nothing, so
// the amount stays exactly what the rows typed (0 without a row). A row's
// amount is never changed by a box, ticked or not.
inline constexpr double kTickMark = std::numeric_limits<double>::min();  // smallest normal double

// Fills CodeValue from the rows and the ticked codes, caps codes 067/068 at
// 3000 (the row then reads "3000"), and sets LateMonths 0, Married, and
// clears the fee flags and the luxury figures. On a code or amount that does
// not read, stops with the message and the computation must not run.
IntakeResult FastEntryIntake(EngineState& state, std::vector<FastEntryRow>& rows,
                             const std::vector<int>& tickedCodes, bool married);

}  // namespace kestrana
