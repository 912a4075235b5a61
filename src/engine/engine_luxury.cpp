// The luxury living tax bases and amounts: the cars by capacity and year, the
// boats by length and type, the aircraft and pools, relieved for pensioners
// of 013/014. The E1 caller runs it after taking the codes; the clearance
// itself only reads the results.
#include "editions/edition.h"
#include "engine/intake.h"
#include "engine/stages.h"

namespace kestrana {

using namespace engine_detail;

void ComputeLuxuryFigures(EngineState& s, const LuxuryAssets& assets, const Edition& edition) {
    LD base5[2] = {0, 0};
    LD base13[2] = {0, 0};
    for (int n = 1; n <= 7; ++n) {
        const CarAsset& car = assets.cars[n - 1];
        if (car.year < edition.rules.luxuryCarMinYear || car.capacity < 1929) continue;
        LD* base = car.capacity <= 2500 ? base5 : base13;
        base[T] += s.CodeValue[849 + 2 * n];
        base[S] += s.CodeValue[850 + 2 * n];
    }
    if (s.CodeValue[993] == 0) {
        for (int b = 0; b < 2; ++b) {
            const BoatAsset& boat = assets.boats[b];
            if (boat.length > 5 && !boat.sailing) {
                base13[T] += s.CodeValue[711 + 2 * b];
                base13[S] += s.CodeValue[712 + 2 * b];
            }
        }
    }
    for (int p = T; p <= S; ++p) {
        base13[p] += s.CodeValue[715 + p] + s.CodeValue[765 + p];
        if (s.CodeValue[13 + p] != 0) {
            base5[p] *= 0.7L;
            base13[p] *= 0.7L;
        }
        s.LuxuryBase5[p] = Store(base5[p]);
        s.LuxuryBase13[p] = Store(base13[p]);
        s.LuxuryTax5[p] = Store(s.LuxuryBase5[p] * 0.05L);
        s.LuxuryTax13[p] = Store(s.LuxuryBase13[p] * 0.13L);
    }
}

}  // namespace kestrana
