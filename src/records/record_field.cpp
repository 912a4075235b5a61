#include "records/record_field.h"

#include <cmath>
#include <stdexcept>

#include "records/amount_text.h"
#include "records/cp1253.h"
#include "records/errors.h"
#include "records/real48.h"

namespace kestrana {

size_t RecordField::Size() const {
    switch (kind) {
        case FieldKind::String: return capacity + 1;
        case FieldKind::Star: return 2;
        case FieldKind::Byte: return 1;
        case FieldKind::Int16: return 2;
        case FieldKind::Int32: return 4;
        case FieldKind::Real48: return 6;
        case FieldKind::Bool: return 1;
        case FieldKind::Bytes: return capacity;
    }
    return 0;
}

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

[[noreturn]] void WrongKind(const RecordField& f, const char* what) {
    throw std::invalid_argument("field " + f.name + " is not " + what);
}

}  // namespace

const RecordField* FindField(const std::vector<RecordField>& fields, std::string_view name) {
    for (const auto& f : fields)
        if (SameName(f.name, name)) return &f;
    return nullptr;
}

namespace field_io {

std::string GetText(const uint8_t* record, const RecordField& f) {
    switch (f.kind) {
        case FieldKind::String: return ReadShortString(record + f.offset, f.capacity);
        case FieldKind::Star: return ReadShortString(record + f.offset, 1);
        default: WrongKind(f, "a text");
    }
}

void SetText(uint8_t* record, const RecordField& f, std::string_view utf8) {
    switch (f.kind) {
        case FieldKind::String: WriteShortString(record + f.offset, f.capacity, utf8); return;
        case FieldKind::Star: WriteShortString(record + f.offset, 1, utf8.empty() ? "" : "*"); return;
        default: WrongKind(f, "a text");
    }
}

int64_t GetInt(const uint8_t* r, const RecordField& f) {
    const uint8_t* p = r + f.offset;
    switch (f.kind) {
        case FieldKind::Byte:
        case FieldKind::Bool: return p[0];
        case FieldKind::Int16: return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
        case FieldKind::Int32:
            return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                        static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
        default: WrongKind(f, "a whole number");
    }
}

void SetInt(uint8_t* r, const RecordField& f, int64_t v) {
    int64_t lo = 0, hi = 0;
    switch (f.kind) {
        case FieldKind::Byte: lo = 0; hi = 255; break;
        case FieldKind::Int16: lo = INT16_MIN; hi = INT16_MAX; break;
        case FieldKind::Int32: lo = INT32_MIN; hi = INT32_MAX; break;
        default: WrongKind(f, "a whole number");
    }
    if (v < lo || v > hi) throw RangeError(std::to_string(v), f.name);
    auto u = static_cast<uint32_t>(static_cast<int32_t>(v));
    uint8_t* p = r + f.offset;
    for (size_t i = 0; i < f.Size(); ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

double GetReal(const uint8_t* r, const RecordField& f) {
    if (f.kind != FieldKind::Real48) WrongKind(f, "an amount");
    return DecodeReal48(r + f.offset);
}

void SetReal(uint8_t* r, const RecordField& f, long double v) {
    if (f.kind != FieldKind::Real48) WrongKind(f, "an amount");
    EncodeReal48(v, r + f.offset);  // throws before writing
}

bool GetBool(const uint8_t* r, const RecordField& f) {
    switch (f.kind) {
        case FieldKind::Bool: return r[f.offset] != 0;
        case FieldKind::Star: return GetText(r, f) == "*";
        default: WrongKind(f, "a tick box");
    }
}

void SetBool(uint8_t* r, const RecordField& f, bool v) {
    switch (f.kind) {
        case FieldKind::Bool: r[f.offset] = v ? 1 : 0; return;
        case FieldKind::Star: SetText(r, f, v ? "*" : ""); return;
        default: WrongKind(f, "a tick box");
    }
}

}  // namespace field_io

void FieldTableBuilder::Single(std::string name, size_t offset, FieldKind kind, size_t capacity) {
    RecordField f;
    f.column = name;
    f.name = std::move(name);
    f.offset = offset;
    f.kind = kind;
    f.capacity = capacity;
    out_.push_back(std::move(f));
}

void FieldTableBuilder::Rows(const std::string& table, size_t base, size_t stride, int firstRow, int lastRow,
                             const std::vector<Column>& columns) {
    for (int row = firstRow; row <= lastRow; ++row) {
        for (const auto& c : columns) {
            RecordField f;
            f.name = c.name + std::to_string(row);
            f.column = c.name;
            f.offset = base + stride * static_cast<size_t>(row - firstRow) + c.offsetInRow;
            f.kind = c.kind;
            f.capacity = c.capacity;
            f.table = table;
            f.row = row;
            out_.push_back(std::move(f));
        }
    }
}

}  // namespace kestrana
