// Amount and whole-number text as typed: any text is either refused or read,
// and an amount read shows as text that reads back as its rounded value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "records/afm.h"
#include "records/amount_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrana;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)CheckAFM(text);
    (void)ParseInteger(text);
    (void)ReadAmountOnLeave(text);
    if (auto v = ParseAmount(text)) {
        if (!std::isfinite(*v)) return 0;
        std::string shown = FormatAmount(*v);
        auto back = ParseAmount(shown);
        if (!back) std::abort();
        // Two decimals of the 15-significant-digit text: off by at most half a
        // cent plus half a unit of the 15th digit (533533333354,9646 shows
        // 533.533.333.354,97, having first become ...354,965).
        const double digit15 = std::pow(10.0, std::floor(std::log10(std::fabs(*v) + 1e-300)) - 14);
        if (std::fabs(*v) < 1e15 && std::fabs(*back - *v) > (0.005 + 0.5 * digit15) * (1 + 1e-9) + 1e-12)
            std::abort();
        if (*back != RoundAmountToCents(*v)) std::abort();
    }
    return 0;
}
