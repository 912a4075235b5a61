// Doys.txt of any bytes: one row per line, a description without ";" or line
// breaks, a code of at most 20 characters; every character of it goes through
// the search-key conversion.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "e1/calc/tax_offices.h"
#include "records/cp1253.h"

static size_t CodePoints(const std::string& utf8) {
    size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrana;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<TaxOfficeRow> rows = ParseTaxOffices(bytes);
    size_t breaks = 0;
    for (char c : bytes) breaks += c == '\r' || c == '\n';
    if (rows.size() > breaks + 1) std::abort();
    for (const TaxOfficeRow& row : rows) {
        if (row.description.find_first_of(";\r\n") != std::string::npos) std::abort();
        if (row.code.find_first_of("\r\n") != std::string::npos) std::abort();
        if (CodePoints(row.code) > 20) std::abort();
    }
    for (uint8_t b : bytes) {
        const char32_t key = TaxOfficeSearchKey(Cp1253CodePoint(b));
        if (!IsTaxOfficeSearchCharacter(key)) continue;
        // What the search takes has a byte of its own in the list's code page.
        static const std::u32string kCodePage = [] {
            std::u32string all;
            for (int c = 0; c < 256; ++c) all.push_back(Cp1253CodePoint(uint8_t(c)));
            return all;
        }();
        if (kCodePage.find(key) == std::u32string::npos) std::abort();
    }
    return 0;
}
