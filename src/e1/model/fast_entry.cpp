#include "e1/model/fast_entry.h"

#include <algorithm>
#include <string_view>

#include "e1/model/e1_document_io.h"
#include "records/amount_text.h"
#include "records/errors.h"

namespace kestrana {

const std::vector<FastEntryTickRow>& FastEntryFirstPageTicks() {
    static const std::vector<FastEntryTickRow> rows = {
        {327, 328}, {319, 320}, {23, 24}, {329, 0}, {330, 0},   {331, 0},   {27, 28},
        {11, 12},   {13, 14},   {15, 16}, {19, 20}, {21, 22},   {25, 26},   {7, 8},
        {617, 0},   {385, 386}, {29, -1}, {905, 906}, {911, 912}, {1, 2}};
    return rows;
}

const std::array<std::array<int, 3>, 3>& FastEntryResidenceTicks() {
    static const std::array<std::array<int, 3>, 3> homes = {{{203, 207, 240}, {204, 209, 241}, {205, 0, 242}}};
    return homes;
}

bool FastEntryHasTick(int code) {
    if (code <= 0) return false;
    for (const FastEntryTickRow& r : FastEntryFirstPageTicks())
        if (r.taxpayer == code || r.spouse == code) return true;
    for (const auto& row : FastEntryResidenceTicks())
        if (std::find(row.begin(), row.end(), code) != row.end()) return true;
    return false;
}

FastEntryView OpenFastEntry(E1Record& record) {
    // Sorted in place, as the file is kept afterwards.
    for (int i = 0; i < E1Record::kCodeCount; ++i) {
        for (int k = i + 1; k < E1Record::kCodeCount; ++k) {
            const CodeEntry a = record.GetCode(i);
            const CodeEntry b = record.GetCode(k);
            if (a.code > 0 && b.code > 0 && b.code < a.code) {
                record.SetCode(i, b.code, b.value);
                record.SetCode(k, a.code, a.value);
            }
        }
    }
    FastEntryView view;
    for (const CodeEntry& entry : record.UsedCodes()) {
        // The postal code of box 205 is a row, so saving keeps it.
        if (!IsPostalCode205(entry) && FastEntryHasTick(entry.code)) {
            view.ticked.push_back(entry.code);
            continue;
        }
        view.rows.push_back({CodeDigits(entry.code), FormatAmount(entry.value)});
    }
    return view;
}

FastEntryCodes FastEntryCodesForSave(const std::vector<int>& ticked, const std::vector<FastEntryRow>& rows) {
    FastEntryCodes out;
    for (int code : ticked) out.entries.push_back({static_cast<int16_t>(code), 1.0});
    for (const FastEntryRow& row : rows) {
        if (row.code.empty() || row.amount.empty()) continue;
        const std::optional<int32_t> code = ParseInteger(row.code);
        if (!code || row.code == "-") return {{}, IntegerConversionError(row.code)};
        // A stored code is a 16-bit number and 0 marks an empty entry.
        if (*code < 1 || *code > 1000) return {{}, RangeError(row.code, "Κωδικός").what()};
        const std::optional<double> amount = ParseAmount(row.amount);
        if (!amount || row.amount == "-") return {{}, FloatConversionError(row.amount)};
        out.entries.push_back({static_cast<int16_t>(*code), *amount});
    }
    if (out.entries.size() > static_cast<size_t>(E1Record::kCodeCount)) return {{}, "Range check error"};
    return out;
}

FastEntryCodes FastEntryCodesForClearance(const std::vector<int>& ticked, std::vector<FastEntryRow>& rows) {
    FastEntryCodes out;
    for (int code : ticked) out.entries.push_back({static_cast<int16_t>(code), 1.0});
    for (FastEntryRow& row : rows) {
        if (row.code.empty()) continue;
        const std::string_view codeText = TrimBlanks(row.code);
        const auto code = codeText.empty() || codeText == "-" ? std::nullopt : ParseInteger(codeText);
        if (!code) return {{}, IntegerConversionError(row.code)};
        if (*code < 0 || *code > 1000) return {{}, RangeError(row.code, "Κωδικός").what()};
        const std::string amount = RemoveThousandsDots(row.amount);
        if (amount.empty()) continue;
        const std::optional<double> value = ParseDecimal(amount);
        if (!value) return {{}, FloatConversionError(amount)};
        double v = *value;
        if ((*code == 67 || *code == 68) && v > 3000) {
            v = 3000;
            row.amount = "3000";
        }
        out.entries.push_back({static_cast<int16_t>(*code), v});
    }
    return out;
}

E1Record FastEntryRecord(const E1Record& opened, const FastEntryIdentity& identity,
                         const std::vector<CodeEntry>& entries) {
    E1Record updated = opened;
    updated.SetText("edBigName", identity.surname);
    updated.SetText("edAFM", identity.taxNumber);
    updated.SetBool("cbMarried", identity.married);
    updated.ClearCodes();
    for (size_t k = 0; k < entries.size() && k < static_cast<size_t>(E1Record::kCodeCount); ++k)
        updated.SetCode(static_cast<int>(k), entries[k].code, entries[k].value);
    return updated;
}

void FastEntryDocument(const E1Record& opened, const FastEntryIdentity& identity,
                       const std::vector<CodeEntry>& entries, E1Document& document) {
    E1Record base = FastEntryRecord(opened, identity, {});
    DocumentFromRecord(base, document, true);
    for (const CodeEntry& entry : entries) LoadCodeEntry(document, entry, true);
    FollowLargeCityCodes(document);
}

}  // namespace kestrana
