#pragma once
// Named fields of the fixed-layout declaration records, and typed access to
// them over the record's bytes. Shared by the E1 and E2 records.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrana {

enum class FieldKind {
    String,  // string[capacity]: length byte + capacity bytes of cp1253
    Star,    // string[1] holding "*" for a ticked box, empty otherwise
    Byte,    // unsigned 8-bit
    Int16,   // signed 16-bit, little-endian
    Int32,   // signed 32-bit, little-endian
    Real48,  // the 6-byte real
    Bool,    // one byte, 0 or 1
    Bytes,   // `capacity` raw bytes (E2 column marks)
};

struct RecordField {
    std::string name;    // window field name, row number appended: "edCarName3"
    size_t offset = 0;
    FieldKind kind = FieldKind::String;
    size_t capacity = 0; // characters of a String, count of Bytes
    std::string table;   // row table ("cars"), empty for a single field
    int row = 0;         // 1-based row within the table
    std::string column;  // name without the row number ("edCarName")

    size_t Size() const;  // bytes taken in the record
};

// Case-insensitive lookup by name in a field table; nullptr when absent.
const RecordField* FindField(const std::vector<RecordField>& fields, std::string_view name);

// Typed access over a record's bytes. Setters check the value first and
// write nothing when it does not fit (RangeError, FloatOverflowError).
namespace field_io {
std::string GetText(const uint8_t* record, const RecordField& f);
// Text cut to the capacity; for a Star field any non-empty text ticks it.
void SetText(uint8_t* record, const RecordField& f, std::string_view utf8);
int64_t GetInt(const uint8_t* record, const RecordField& f);
void SetInt(uint8_t* record, const RecordField& f, int64_t value);
double GetReal(const uint8_t* record, const RecordField& f);
void SetReal(uint8_t* record, const RecordField& f, long double value);
bool GetBool(const uint8_t* record, const RecordField& f);
void SetBool(uint8_t* record, const RecordField& f, bool value);
}  // namespace field_io

// Builds field tables: rows of a table share a layout and a stride.
class FieldTableBuilder {
public:
    explicit FieldTableBuilder(std::vector<RecordField>& out) : out_(out) {}
    void Single(std::string name, size_t offset, FieldKind kind, size_t capacity = 0);
    struct Column {
        std::string name;
        size_t offsetInRow;
        FieldKind kind;
        size_t capacity = 0;
    };
    // Rows firstRow..lastRow; row r starts at base + stride * (r - firstRow).
    void Rows(const std::string& table, size_t base, size_t stride, int firstRow, int lastRow,
              const std::vector<Column>& columns);

private:
    std::vector<RecordField>& out_;
};

}  // namespace kestrana
