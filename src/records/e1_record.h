#pragma once
// The E1 declaration record: 6991 bytes, the same in both editions. Identity
// fields and tables at fixed places, and 150 code entries of 8 bytes
// (int16 code, Real48 value) holding every filled numbered box.
#include <cstdint>
#include <vector>

#include "records/fixed_record.h"

namespace kestrana {

// Every named field of the E1 record in layout order, rows expanded
// ("edEnoikioName1".."edEnoikioName7", "edCarName1".. and so on).
const std::vector<RecordField>& E1Fields();

struct CodeEntry {
    int16_t code = 0;  // 1..999; 0 marks an empty entry
    double value = 0;
    bool operator==(const CodeEntry&) const = default;
};

// Code 205 is borne by a tick box and by the whole-number box of the first
// secondary residence's postal code, and both are stored under 205. A tick is
// always stored as 1, so an entry 205 with any other value is the postal code.
inline bool IsPostalCode205(const CodeEntry& e) { return e.code == 205 && e.value != 0 && e.value != 1; }

class E1Record : public FixedRecord<6991, &E1Fields> {
public:
    static constexpr int kCodeCount = 150;
    static constexpr size_t kCodeTableOffset = 4301;
    static constexpr size_t kCodeEntrySize = 8;

    // k = 0..149; std::out_of_range outside.
    CodeEntry GetCode(int k) const;
    // Nothing is written when the value cannot be stored.
    void SetCode(int k, int16_t code, long double value);
    void ClearCodes();
    // Entries with a code above 0, in stored order.
    std::vector<CodeEntry> UsedCodes() const;

    int32_t RegistrationNumber() const;
    void SetRegistrationNumber(int32_t n);
    std::string TaxNumber() const;  // edAFM, the key of the file name
};

}  // namespace kestrana
