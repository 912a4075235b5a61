#include "e1/calc/tax_offices.h"

#include <fstream>
#include <iterator>

#include "records/cp1253.h"

namespace kestrana {

static constexpr size_t kCodeLength = 20;

std::vector<TaxOfficeRow> ParseTaxOffices(std::string_view bytes) {
    std::vector<TaxOfficeRow> rows;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(pos, end - pos);
        TaxOfficeRow row;
        const size_t semi = line.find(';');
        if (semi == std::string_view::npos) {
            row.code = Cp1253ToUtf8(line.substr(0, kCodeLength));
        } else {
            row.description = Cp1253ToUtf8(line.substr(0, semi));
            row.code = Cp1253ToUtf8(line.substr(semi + 1, kCodeLength));
        }
        rows.push_back(std::move(row));
        // CR LF, LF or a lone CR end a line.
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    return rows;
}

std::vector<TaxOfficeRow> ReadTaxOfficeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return {};
    return ParseTaxOffices(bytes);
}

char32_t TaxOfficeSearchKey(char32_t c) {
    // Greek keyboard layout: the Greek letter on each Latin key.
    static const char32_t kSmall[26] = {
        U'α', U'β', U'ψ', U'δ', U'ε', U'φ', U'γ', U'η', U'ι', U'ξ', U'κ', U'λ', U'μ',
        U'ν', U'ο', U'π', 0,    U'ρ', U'σ', U'τ', U'θ', U'ω', U'ς', U'χ', U'υ', U'ζ'};
    if (c >= U'a' && c <= U'z') {
        if (kSmall[c - U'a'] != 0) c = kSmall[c - U'a'];
    } else if (c >= U'A' && c <= U'Z') {
        const char32_t small = kSmall[c - U'A'];
        if (small != 0) return small == U'ς' ? U'Σ' : small - 0x20;
        return c;
    }
    switch (c) {
        case U'ς': return U'Σ';
        case U'ά': return U'Α';
        case U'έ': return U'Ε';
        case U'ή': return U'Η';
        case U'ί': return U'Ι';
        case U'ό': return U'Ο';
        case U'ύ': return U'Υ';
        case U'ώ': return U'Ω';
        case U'ϊ': case U'ΐ': return U'Ι';
        case U'ϋ': case U'ΰ': return U'Υ';
        default: break;
    }
    if (c >= U'α' && c <= U'ω') return c - 0x20;
    return c;
}

bool IsTaxOfficeSearchCharacter(char32_t c) {
    if (c == U' ' || c == U'.' || (c >= U'0' && c <= U'9')) return true;
    if (c < 0x80) return c >= 65;
    // The 1253 byte of the character: Greek letters and the few other
    // characters of the code page; everything else has none.
    for (int b = 0x80; b <= 0xD9; ++b)
        if (Cp1253CodePoint(static_cast<uint8_t>(b)) == c) return b >= 65;
    return false;
}

}  // namespace kestrana
