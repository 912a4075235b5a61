#include "records/record_json.h"

#include <cstdio>
#include <map>
#include <stdexcept>

#include "records/e1_record.h"
#include "records/e2_record.h"
#include "records/errors.h"
#include "records/real48.h"

namespace kestrana {

namespace {

void AppendJsonString(std::string& out, const std::string& s) {
    out += '"';
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
}

void AppendValue(std::string& out, const uint8_t* rec, const RecordField& f) {
    switch (f.kind) {
        case FieldKind::String: AppendJsonString(out, field_io::GetText(rec, f)); break;
        case FieldKind::Star:
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

void AppendFields(std::string& out, const uint8_t* rec, const std::vector<RecordField>& fields) {
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
    for (const auto& f : fields) {
        if (f.table.empty()) continue;
        if (!tables.count(f.table)) tableOrder.push_back(f.table);
        tables[f.table][f.row].push_back(&f);
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

}  // namespace

std::string Real48Text(double value) {
    if (value == 0) return "0";
    Real48Bytes want = EncodeReal48(value);
    char buf[40];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*g", precision, value);
        try {
            if (EncodeReal48(std::strtod(buf, nullptr)) == want) break;
        } catch (const FloatOverflowError&) {
            // Rounded up past the largest storable value: take more digits.
        }
    }
    return buf;
}

std::string RecordToJson(DeclarationKind kind, std::span<const uint8_t> bytes) {
    std::string out = "{\n";
    if (kind == DeclarationKind::E1) {
        E1Record r;
        if (!r.FromBytes(bytes)) throw std::invalid_argument("shorter than an E1 record");
        out += "  \"kind\": \"E1\",\n";
        AppendFields(out, r.Data(), E1Fields());
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
