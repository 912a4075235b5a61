#pragma once
// The tax office list file (Wparams/Doys.txt, Windows-1253): one office a
// line, "description;code". And the key conversion of the list's search, so
// that a user on a Latin keyboard layout finds Greek names.
#include <string>
#include <string_view>
#include <vector>

namespace kestrana {

struct TaxOfficeRow {
    std::string description;  // UTF-8
    std::string code;         // at most 20 characters
};

// The rows of the file's bytes, in file order. A line without ";" has an
// empty description and its first 20 characters as code.
std::vector<TaxOfficeRow> ParseTaxOffices(std::string_view cp1253Bytes);
// Empty when the file is missing or cannot be read.
std::vector<TaxOfficeRow> ReadTaxOfficeFile(const std::string& path);

// A typed character as the search takes it: Latin letters by the Greek
// keyboard layout, Greek small letters (accented or not) to plain capitals.
char32_t TaxOfficeSearchKey(char32_t typed);
// Whether a converted character goes into the search text: blank, ".",
// digits, and the 1253 codes 65..217 (Latin and Greek capitals among them).
bool IsTaxOfficeSearchCharacter(char32_t converted);

}  // namespace kestrana
