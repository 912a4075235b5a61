#include "records/record_json.h"

#include <charconv>
#include <map>
#include <stdexcept>

#include "records/e1_record.h"
#include "records/e2_record.h"
#include "records/errors.h"
#include "records/real48.h"

namespace kestrana {

void AppendJsonString(std::string& out, std::string_view s) {
    out += '"';
    size_t plain = 0;  // start of the run of characters copied as they are
    for (size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c != '"' && c != '\\' && c != 0x7F) continue;
        out.append(s.substr(plain, i - plain));
        plain = i + 1;
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: {
                static const char kHex[] = "0123456789abcdef";
                const char esc[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
                out.append(esc, 6);
            }
        }
    }
    out.append(s.substr(plain));
    out += '"';
}

std::string JsonString(std::string_view s) {
    std::string out;
    AppendJsonString(out, s);
    return out;
}

namespace {

void AppendValue(std::string& out, const uint8_t* rec, const RecordField& f) {
    switch (f.kind) {
        // A car's "is the spouse's" mark is a string[1] in the file ("*" or
        // empty): shown as the text it holds, like every other string field.
        case FieldKind::String:
        case FieldKind::Star: AppendJsonString(out, field_io::GetText(rec, f)); break;
        case FieldKind::Bool: out += field_io::GetBool(rec, f) ? "true" : "false"; break;
        case FieldKind::Byte:
        case FieldKind::Int16:
        case FieldKind::Int32: out += std::to_string(field_io::GetInt(rec, f)); break;
        case FieldKind::Real48: out += Real48Text(field_io::GetReal(rec, f)); break;
        case FieldKind::Bytes:
            out += '[';
            for (size_t i = 0; i < f.capacity; ++i) {
                if (i) out += ',';
                out += std::to_string(rec[f.offset + i]);
            }
            out += ']';
            break;
    }
}

// `tableOnly`: rows shown in "tables" that have no name of their own.
void AppendFields(std::string& out, const uint8_t* rec, const std::vector<RecordField>& fields,
                  const std::vector<RecordField>& tableOnly = {}) {
    out += "  \"fields\": {";
    bool first = true;
    for (const auto& f : fields) {
        out += first ? "\n    " : ",\n    ";
        first = false;
        AppendJsonString(out, f.name);
        out += ": ";
        AppendValue(out, rec, f);
    }
    out += "\n  },\n  \"tables\": {";
    // Tables in order of first appearance, rows by number, columns in order.
    std::vector<std::string> tableOrder;
    std::map<std::string, std::map<int, std::vector<const RecordField*>>> tables;
    for (const auto* list : {&fields, &tableOnly}) {
        for (const auto& f : *list) {
            if (f.table.empty()) continue;
            if (!tables.count(f.table)) tableOrder.push_back(f.table);
            tables[f.table][f.row].push_back(&f);
        }
    }
    bool firstTable = true;
    for (const auto& name : tableOrder) {
        out += firstTable ? "\n    " : ",\n    ";
        firstTable = false;
        AppendJsonString(out, name);
        out += ": [";
        bool firstRow = true;
        for (const auto& [row, cols] : tables[name]) {
            out += firstRow ? "\n      {" : ",\n      {";
            firstRow = false;
            out += "\"row\": " + std::to_string(row);
            for (const RecordField* f : cols) {
                out += ", ";
                AppendJsonString(out, f->column);
                out += ": ";
                AppendValue(out, rec, *f);
            }
            out += '}';
        }
        out += "\n    ]";
    }
    out += "\n  }";
}

// The table at 2994 has the rent-table layout; the window fills only row 3
// (edCompName9 ...), but a file may hold the other rows too.
const std::vector<RecordField>& OtherRentRows() {
    static const std::vector<RecordField> rows = [] {
        std::vector<RecordField> v;
        FieldTableBuilder(v).Rows("otherRent", 2994, 43, 1, 4,
                                  {{"edCompName", 0, FieldKind::String, 25},
                                   {"edCompAFM", 26, FieldKind::String, 10},
                                   {"edCompEpifania", 37, FieldKind::Real48}});
        return v;
    }();
    return rows;
}

// The number of `precision` significant digits nearest to value, when it
// stores back as `want`.
bool StoresBackAs(double value, int precision, const Real48Bytes& want, double& candidate) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, precision);
    std::from_chars(buf, r.ptr, candidate);
    try {
        return EncodeReal48(candidate) == want;
    } catch (const FloatOverflowError&) {
        return false;  // rounded up past the largest storable value
    }
}

}  // namespace

std::string Real48Text(double value) {
    if (value == 0) return "0";
    const Real48Bytes want = EncodeReal48(value);
    // The fewest significant digits whose number stores back as the same six
    // bytes, then that number in its shortest plain form ("100", not "1e+02").
    // Forty bits never need more than 14 digits, and more digits only come
    // closer, so the search halves the range; 17 digits are the double itself.
    double shortest = value, candidate = 0;
    int lo = 1, hi = 14;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (StoresBackAs(value, mid, want, candidate))
            hi = mid;
        else
            lo = mid + 1;
    }
    if (StoresBackAs(value, lo, want, candidate)) shortest = candidate;
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, shortest);
    return std::string(buf, r.ptr);
}

std::string RecordToJson(DeclarationKind kind, std::span<const uint8_t> bytes) {
    std::string out;
    out.reserve(64 * 1024);
    out += "{\n";
    if (kind == DeclarationKind::E1) {
        E1Record r;
        if (!r.FromBytes(bytes)) throw std::invalid_argument("shorter than an E1 record");
        out += "  \"kind\": \"E1\",\n";
        AppendFields(out, r.Data(), E1Fields(), OtherRentRows());
        out += ",\n  \"codes\": [";
        bool first = true;
        for (int k = 0; k < E1Record::kCodeCount; ++k) {
            CodeEntry e = r.GetCode(k);
            if (e.code == 0) continue;
            out += first ? "" : ", ";
            first = false;
            out += "[" + std::to_string(e.code) + ", " + Real48Text(e.value) + "]";
        }
        out += "]\n}\n";
    } else {
        E2Record r;
        if (!r.FromBytes(bytes)) throw std::invalid_argument("shorter than an E2 record");
        out += "  \"kind\": \"E2\",\n";
        AppendFields(out, r.Data(), E2Fields());
        out += "\n}\n";
    }
    return out;
}

}  // namespace kestrana
