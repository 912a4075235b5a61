#pragma once
// The declarations index: scan of Tables into index lines, the stable grid
// sort and the quick search of the index window (and of the tax-office list).
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrana {

struct IndexScan {
    std::vector<std::string> lines;       // surname;first name;tax number (UTF-8)
    std::vector<std::string> unreadable;  // entry names that could not be read as a declaration
};

// Every entry of the folder whose name contains "E1" ("E2"), in the order the
// file system lists them, read as a declaration of 6991 (7620) bytes. A short
// or unreadable entry does not stop the scan: it is named in `unreadable`.
// A missing folder gives an empty scan.
IndexScan ListE1Files(const std::string& tablesDir);
IndexScan ListE2Files(const std::string& tablesDir);

// The index line of a record's first bytes (tax number at 4, surname at 17,
// first name at 58), with the running limits 41/81/82/94 characters.
std::string IndexLine(const uint8_t* recordStart);

// Surname, first name, tax number: split at the first ";", then the next.
std::array<std::string, 3> SplitIndexLine(std::string_view line);

using TextGrid = std::vector<std::vector<std::string>>;

// The index window's grid: heading row "Επώνυμο/ία", "Όνομα", "Α.Φ.Μ." and
// one row per line.
TextGrid IndexGrid(const std::vector<std::string>& lines);

// < 0, 0, > 0 like strcmp.
using CellCompare = std::function<int(const std::string&, const std::string&)>;

// Case-insensitive comparison of UTF-8 text with Greek accents and
// diaeresis folded (ά = α, Ϊ = ι, ς = σ) and Latin letters folded to lower.
int CompareGreekText(const std::string& a, const std::string& b);

enum SortMode { kSortText = 0, kSortInteger = 1, kSortDecimal = 2 };

// Stable top-down merge sort of the data rows below `headingRows`. Only as many
// rows as have a non-empty cell in `countColumn` are sorted, from the first
// data row down. Mode 0 uses `textCompare`; 1 reads whole numbers and 2
// amounts (every "*" removed, unreadable text counts as 0).
void SortGrid(TextGrid& grid, int headingRows, int sortColumn, int mode, int countColumn, bool ascending,
              const CellCompare& textCompare = CompareGreekText);

// Row to select for the search text: the first data row whose cell in
// `column` begins with it, else the first whose cell is greater (plain
// character codes: UTF-8 bytes, which order as Unicode code points and, for
// letters, as the 1253 bytes do), else the last row. -1 without data rows.
int QuickSearch(const TextGrid& grid, int column, std::string_view text, int headingRows = 1);

}  // namespace kestrana
