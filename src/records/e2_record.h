#pragma once
// The E2 (rental income) record: 7620 bytes, the same in both editions.
// Table 1 has 16 rows, table 2 nine and table 3 four; use, position, supply
// number and lease type of all 29 rows sit in shared arrays (rows 17..25 are
// table 2, rows 26..29 table 3).
#include <array>
#include <string>
#include <vector>

#include "records/fixed_record.h"

namespace kestrana {

struct Edition;

// Every named field of the E2 record in layout order, rows expanded
// ("edTopos1".."edTopos16", "edPin2Topos1".., "edXrisiID1".."edXrisiID29").
// The serial number at offset 0 has no window box and is named "SerialNumber";
// the five column marks of table-1 row n are "ColumnMarks"n (Bytes, 5).
const std::vector<RecordField>& E2Fields();

class E2Record : public FixedRecord<7620, &E2Fields> {
public:
    static constexpr int kTable1Rows = 16;
    static constexpr int kTable2Rows = 9;
    static constexpr int kTable3Rows = 4;
    static constexpr int kSharedRows = 29;

    int32_t SerialNumber() const;
    void SetSerialNumber(int32_t n);
    std::string TaxNumber() const;  // edAFM, the key of the file name

    // Column marks of table-1 row 1..16.
    std::array<uint8_t, 5> ColumnMarks(int row) const;
    void SetColumnMarks(int row, const std::array<uint8_t, 5>& marks);
};

// All 7620 bytes to zero.
inline void ClearE2Record(E2Record& r) { r.Clear(); }

// Mark k (1-based, index k-1) is 1 when lease type t feeds amount column k;
// at most one mark, mark 5 never.
std::array<uint8_t, 5> LeaseColumnMarks(int leaseType, const Edition& edition);

// Property use codes 0..14: picker, window and print texts ("" outside).
std::string UsePickerText(int useCode);
std::string UseDisplayText(int useCode);
std::string UseShortText(int useCode);
constexpr int kLastUseCode = 14;

// Position codes 0..52: stored/shown text ("" for 0, "Υπ.", "0" for the
// ground floor, then floors 1..50) and picker text.
std::string PositionText(int positionCode);
std::string PositionPickerText(int positionCode);
constexpr int kLastPositionCode = 52;

// The lease-type picker entries 0..edition.e2LastLeaseType.
const std::vector<std::string>& LeasePickerTexts(const Edition& edition);

}  // namespace kestrana
