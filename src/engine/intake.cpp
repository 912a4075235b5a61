#include "engine/intake.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "editions/edition.h"
#include "records/amount_text.h"
#include "records/e1_record.h"
#include "records/errors.h"

namespace kestrana {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Upper(text[i]) != Upper(prefix[i])) return false;
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Codes whose value the computation uses as a number (amounts, counts,
// kinds). A tick box of fast entry on one of them (617) must not change the
// amount: the coverage tests compare such sums with zero exactly.
bool IsAmountCode(int code) {
    static constexpr int kRanges[][2] = {
        {3, 6}, {49, 50}, {55, 62}, {75, 78}, {101, 122}, {129, 134}, {141, 150}, {159, 160}, {163, 166},
        {171, 172}, {175, 176}, {201, 202}, {251, 268}, {291, 312}, {315, 316}, {321, 322}, {325, 326},
        {333, 336}, {343, 344}, {347, 352}, {389, 396}, {399, 404}, {409, 416}, {421, 422}, {425, 428},
        {431, 436}, {461, 470}, {475, 476}, {499, 500}, {515, 518}, {599, 602}, {605, 606}, {611, 614},
        {617, 620}, {651, 664}, {667, 684}, {699, 700}, {707, 716}, {719, 728}, {731, 732}, {735, 736},
        {741, 744}, {759, 760}, {765, 766}, {769, 770}, {781, 784}, {787, 788}, {799, 800}, {829, 830},
        {851, 868}, {871, 872}, {901, 902}, {931, 936}, {993, 993}, {995, 996}};
    for (const auto& r : kRanges)
        if (code >= r[0] && code <= r[1]) return true;
    return false;
}

}  // namespace

std::optional<int> CodeFromControlName(std::string_view name, std::string_view prefix) {
    if (!StartsWithNoCase(name, prefix) || name.size() < prefix.size() + 3) return std::nullopt;
    int code = 0;
    for (size_t i = prefix.size(); i < prefix.size() + 3; ++i) {
        const char c = name[i];
        if (c < '0' || c > '9') return std::nullopt;
        code = code * 10 + (c - '0');
    }
    if (code > 1000) return std::nullopt;
    return code;
}

void LoadCodesFromE1(EngineState& s, const E1IntakeInput& in) {
    s.CodeValue.fill(0);
    for (const IntakeEntry& e : in.entries) {
        if (e.kind == IntakeControl::Tick) {
            if (auto code = CodeFromControlName(e.name, "CBP")) s.CodeValue[*code] = e.value != 0 ? 1.0 : 0.0;
        } else if (!e.empty) {
            if (auto code = CodeFromControlName(e.name, "EDP")) s.CodeValue[*code] = e.value;
        }
    }
    s.FeeExempt = {in.exemptF || s.CodeValue[17] != 0, in.exemptS || s.CodeValue[18] != 0};
    s.FeeTouristTown = {in.touristTownF, in.touristTownS};
    s.FeeLargeCity = {in.largeCityF, in.largeCityS};
}

void ComputeLuxuryFigures(EngineState& s, const E1IntakeInput& in, const Edition& edition) {
    long double base5[2] = {0, 0};
    long double base13[2] = {0, 0};
    for (int n = 1; n <= 7; ++n) {
        const int32_t cc = in.carCapacity[n - 1];
        if (in.carYear[n - 1] < edition.rules.luxuryCarMinYear || cc < 1929) continue;
        long double* base = cc <= 2500 ? base5 : base13;
        base[T] += s.CodeValue[849 + 2 * n];
        base[S] += s.CodeValue[850 + 2 * n];
    }
    if (s.CodeValue[993] == 0) {
        if (in.boatLength1 > 5 && !in.boatType1) {
            base13[T] += s.CodeValue[711];
            base13[S] += s.CodeValue[712];
        }
        if (in.boatLength2 > 5 && !in.boatType3) {
            base13[T] += s.CodeValue[713];
            base13[S] += s.CodeValue[714];
        }
    }
    for (int p = T; p <= S; ++p) {
        base13[p] += s.CodeValue[715 + p] + s.CodeValue[765 + p];
        if (s.CodeValue[13 + p] != 0) {
            base5[p] *= 0.7L;
            base13[p] *= 0.7L;
        }
        s.LuxuryBase5[p] = static_cast<double>(base5[p]);
        s.LuxuryBase13[p] = static_cast<double>(base13[p]);
        s.LuxuryTax5[p] = static_cast<double>(s.LuxuryBase5[p] * 0.05L);
        s.LuxuryTax13[p] = static_cast<double>(s.LuxuryBase13[p] * 0.13L);
    }
}

void PrepareFromE1(EngineState& s, const E1IntakeInput& in, const Edition& edition) {
    LoadCodesFromE1(s, in);
    s.LateMonths = in.lateMonths;
    s.Married = in.married;
    ComputeLuxuryFigures(s, in, edition);
}

E1IntakeInput IntakeInputFromE1Record(const E1Record& r, const CodeControlLookup& lookup) {
    E1IntakeInput in;
    bool largeCity[2] = {false, false};
    for (const CodeEntry& entry : r.UsedCodes()) {
        const int code = entry.code;
        if (code < 1 || code > 1000) continue;
        IntakeEntry e;
        e.kind = IntakeControl::Amount;
        if (lookup) {
            const auto control = lookup(code);
            if (!control) continue;
            e.kind = *control;
        }
        // The value the window's box holds once it shows the entry: an amount
        // with two decimals (which also drops the file's six-byte noise, so
        // 0.010000000000005116 is 0.01), a whole number rounded half to even
        // (empty when it does not fit the box), a tick ticked or not.
        switch (e.kind) {
            case IntakeControl::Amount: e.value = RoundAmountToCents(entry.value); break;
            case IntakeControl::Integer: {
                const double n = std::nearbyint(entry.value);
                e.value = n >= INT32_MIN && n <= INT32_MAX ? n : 0.0;
                break;
            }
            case IntakeControl::Tick: e.value = entry.value != 0 ? 1.0 : 0.0; break;
        }
        char name[8];
        std::snprintf(name, sizeof name, "%s%03d", e.kind == IntakeControl::Tick ? "cbP" : "edP", code);
        e.name = name;
        // The large-city boxes travel as the hidden codes 093 and 095: 1
        // ticks, 0 unticks, any other value leaves the box as it was.
        if ((code == 93 || code == 95) && (entry.value == 1 || entry.value == 0))
            largeCity[code == 93 ? T : S] = entry.value == 1;
        in.entries.push_back(std::move(e));
    }
    in.exemptF = r.GetBool("cbExairesiF");
    in.touristTownF = r.GetBool("cbTelos400F");
    in.exemptS = r.GetBool("cbExairesiS");
    in.touristTownS = r.GetBool("cbTelos400S");
    in.largeCityF = largeCity[T];
    in.largeCityS = largeCity[S];
    in.married = r.GetBool("cbMarried");
    in.lateMonths = static_cast<int32_t>(r.GetInt("edEkprot"));
    for (int n = 1; n <= 7; ++n) {
        in.carCapacity[n - 1] = static_cast<int32_t>(r.GetInt("edCarIppoi" + std::to_string(n)));
        in.carYear[n - 1] = static_cast<int32_t>(r.GetInt("edCarYear" + std::to_string(n)));
    }
    in.boatLength1 = static_cast<double>(r.GetInt("edScafosLen"));
    in.boatLength2 = static_cast<double>(r.GetInt("edScafosLen2"));
    in.boatType1 = r.GetBool("cbBoatType1");
    in.boatType3 = r.GetBool("cbBoatType3");
    return in;
}

IntakeResult FastEntryIntake(EngineState& s, std::vector<FastEntryRow>& rows, const std::vector<int>& tickedCodes,
                             bool married) {
    s.CodeValue.fill(0);
    for (FastEntryRow& row : rows) {
        if (row.code.empty()) continue;
        const std::string_view codeText = Trim(row.code);
        const auto code = codeText.empty() || codeText == "-" ? std::nullopt : ParseInteger(codeText);
        if (!code) return {false, IntegerConversionError(row.code)};
        if (*code < 0 || *code > 1000) return {false, RangeError(row.code, "Κωδικός").what()};
        std::string amount;
        for (char ch : row.amount)
            if (ch != '.') amount += ch;
        if (!amount.empty()) {
            const auto value = ParseDecimal(amount);
            if (!value) return {false, FloatConversionError(amount)};
            s.CodeValue[*code] = *value;
        }
        if ((*code == 67 || *code == 68) && s.CodeValue[*code] > 3000) {
            s.CodeValue[*code] = 3000;
            row.amount = "3000";
        }
    }
    for (int code : tickedCodes)
        if (code >= 0 && code <= 1000 && s.CodeValue[code] == 0 && !IsAmountCode(code)) s.CodeValue[code] = kTickMark;

    s.LateMonths = 0;
    s.Married = married;
    s.FeeExempt = {};
    s.FeeTouristTown = {};
    s.FeeLargeCity = {};
    s.LuxuryBase5 = s.LuxuryBase13 = s.LuxuryTax5 = s.LuxuryTax13 = {};
    return {};
}

}  // namespace kestrana
