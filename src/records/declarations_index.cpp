#include "records/declarations_index.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "records/amount_text.h"
#include "records/cp1253.h"
#include "records/declaration_kind.h"
#include "records/record_files.h"

namespace kestrana {

namespace {

// Reads exactly `size` bytes of the folder's entry into buf; false when it cannot.
bool ReadPrefix(int dirFd, const char* name, uint8_t* buf, size_t size) {
    int fd = OpenRegularFileAt(dirFd, name);
    if (fd < 0) return false;
    size_t got = 0;
    while (got < size) {
        ssize_t n = ::read(fd, buf + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    return got == size;
}

IndexScan Scan(const std::string& tablesDir, DeclarationKind kind) {
    const size_t recordSize = RecordSizeOf(kind);
    IndexScan scan;
    DIR* dir = ::opendir(tablesDir.c_str());
    if (!dir) return scan;
    std::vector<uint8_t> buf(recordSize);
    const int dirFd = ::dirfd(dir);
    while (dirent* e = ::readdir(dir)) {
        std::string_view name = e->d_name;
        if (name == "." || name == "..") continue;
        if (!IsDeclarationFileName(name, kind)) continue;
        // Relative to the open folder: no path to build or resolve per file.
        if (ReadPrefix(dirFd, e->d_name, buf.data(), recordSize))
            scan.lines.push_back(IndexLine(buf.data()));
        else
            scan.unreadable.emplace_back(name);
    }
    ::closedir(dir);
    return scan;
}

void AppendUpTo(std::string& line, std::string_view text, size_t limit) {
    if (line.size() >= limit) return;
    line.append(text.substr(0, limit - line.size()));
}

std::string_view RawShortString(const uint8_t* field, size_t capacity) {
    size_t len = std::min<size_t>(field[0], capacity);
    return {reinterpret_cast<const char*>(field + 1), len};
}

// Folded key of one code point for the text comparison.
char32_t Fold(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c - 'A' + 'a';
    if (c >= 0x0391 && c <= 0x03A9) c += 0x20;  // capitals to small
    switch (c) {
        case 0x0386: case 0x03AC: return 0x03B1;  // ά
        case 0x0388: case 0x03AD: return 0x03B5;  // έ
        case 0x0389: case 0x03AE: return 0x03B7;  // ή
        case 0x038A: case 0x03AF: case 0x0390: case 0x03CA: case 0x03AA: return 0x03B9;
        case 0x038C: case 0x03CC: return 0x03BF;  // ό
        case 0x038E: case 0x03CD: case 0x03B0: case 0x03CB: case 0x03AB: return 0x03C5;
        case 0x038F: case 0x03CE: return 0x03C9;  // ώ
        case 0x03C2: return 0x03C3;               // final sigma
        default: return c;
    }
}

// Code points of UTF-8 text; a broken byte stands for itself.
std::u32string Decode(const std::string& s) {
    std::u32string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += b;
            ++i;
            continue;
        }
        int len = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
        char32_t c = len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = len > 0 && i + static_cast<size_t>(len) <= s.size();
        for (int k = 1; ok && k < len; ++k) {
            auto n = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            if ((n & 0xC0) != 0x80) ok = false;
            c = (c << 6) | (n & 0x3F);
        }
        if (ok) {
            out += c;
            i += static_cast<size_t>(len);
        } else {
            out += b;
            ++i;
        }
    }
    return out;
}

std::string Strip(const std::string& s, char c) {
    std::string out;
    out.reserve(s.size());
    for (char x : s)
        if (x != c) out += x;
    return out;
}

double IntegerKey(const std::string& cell) {
    auto v = ParseInteger(Strip(cell, '*'));
    return v ? *v : 0;
}

double DecimalKey(const std::string& cell) {
    std::string s = Strip(cell, '*');
    if (s.empty() || s == "-") s = "0";
    auto v = ParseDecimal(Strip(s, '.'));
    return v ? *v : 0;
}

const std::string& Cell(const TextGrid& grid, size_t row, int column) {
    static const std::string empty;
    if (row >= grid.size() || column < 0) return empty;
    const auto& r = grid[row];
    return static_cast<size_t>(column) < r.size() ? r[static_cast<size_t>(column)] : empty;
}

}  // namespace

IndexScan ListE1Files(const std::string& tablesDir) { return Scan(tablesDir, DeclarationKind::E1); }
IndexScan ListE2Files(const std::string& tablesDir) { return Scan(tablesDir, DeclarationKind::E2); }

std::string IndexLine(const uint8_t* rec) {
    // The limits count characters, so they apply to the 1253 bytes.
    std::string line;
    line.reserve(94);
    AppendUpTo(line, RawShortString(rec + 17, 40), 40);
    AppendUpTo(line, ";", 41);
    AppendUpTo(line, RawShortString(rec + 58, 40), 81);
    AppendUpTo(line, ";", 82);
    AppendUpTo(line, RawShortString(rec + 4, 12), 94);
    return Cp1253ToUtf8(line);
}

std::array<std::string, 3> SplitIndexLine(std::string_view line) {
    std::array<std::string, 3> parts;
    size_t a = line.find(';');
    if (a == std::string_view::npos) {
        parts[0] = line;
        return parts;
    }
    parts[0] = line.substr(0, a);
    std::string_view rest = line.substr(a + 1);
    size_t b = rest.find(';');
    if (b == std::string_view::npos) {
        parts[1] = rest;
        return parts;
    }
    parts[1] = rest.substr(0, b);
    parts[2] = rest.substr(b + 1);
    return parts;
}

TextGrid IndexGrid(const std::vector<std::string>& lines) {
    TextGrid grid;
    grid.reserve(lines.size() + 1);
    grid.push_back({"Επώνυμο/ία", "Όνομα", "Α.Φ.Μ."});
    for (const auto& line : lines) {
        auto p = SplitIndexLine(line);
        grid.push_back({p[0], p[1], p[2]});
    }
    return grid;
}

int CompareGreekText(const std::string& a, const std::string& b) {
    std::u32string x = Decode(a), y = Decode(b);
    size_t n = std::min(x.size(), y.size());
    for (size_t i = 0; i < n; ++i) {
        char32_t p = Fold(x[i]), q = Fold(y[i]);
        if (p != q) return p < q ? -1 : 1;
    }
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

void SortGrid(TextGrid& grid, int headingRows, int sortColumn, int mode, int countColumn, bool ascending,
              const CellCompare& textCompare) {
    if (headingRows < 0) headingRows = 0;
    const size_t first = static_cast<size_t>(headingRows);
    size_t count = 0;
    for (size_t r = first; r < grid.size(); ++r)
        if (!Cell(grid, r, countColumn).empty()) ++count;
    if (count < 2) return;

    std::vector<std::vector<std::string>> rows(grid.begin() + static_cast<long>(first),
                                               grid.begin() + static_cast<long>(first + count));
    // Keys once per row rather than once per comparison.
    std::vector<double> numbers;
    if (mode == kSortInteger || mode == kSortDecimal) {
        numbers.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const std::string& c = Cell(rows, i, sortColumn);
            numbers[i] = mode == kSortInteger ? IntegerKey(c) : DecimalKey(c);
        }
    }
    auto compare = [&](size_t i, size_t j) -> int {
        if (!numbers.empty()) return numbers[i] < numbers[j] ? -1 : (numbers[i] > numbers[j] ? 1 : 0);
        return textCompare(Cell(rows, i, sortColumn), Cell(rows, j, sortColumn));
    };
    std::vector<size_t> order(count), scratch(count);
    for (size_t i = 0; i < count; ++i) order[i] = i;
    // Top-down: split at the middle (rounded down), sort both halves, merge;
    // the left element goes first unless the right one is strictly before it.
    std::function<void(size_t, size_t)> sort = [&](size_t lo, size_t hi) {  // [lo, hi]
        if (lo >= hi) return;
        size_t mid = lo + (hi - lo) / 2;
        sort(lo, mid);
        sort(mid + 1, hi);
        size_t i = lo, j = mid + 1, k = lo;
        while (i <= mid && j <= hi) {
            int c = compare(order[j], order[i]);
            bool takeLeft = ascending ? c >= 0 : c <= 0;
            scratch[k++] = takeLeft ? order[i++] : order[j++];
        }
        while (i <= mid) scratch[k++] = order[i++];
        while (j <= hi) scratch[k++] = order[j++];
        for (size_t t = lo; t <= hi; ++t) order[t] = scratch[t];
    };
    sort(0, count - 1);
    for (size_t i = 0; i < count; ++i) grid[first + i] = std::move(rows[order[i]]);
}

int QuickSearch(const TextGrid& grid, int column, std::string_view text, int headingRows) {
    if (headingRows < 0) headingRows = 0;
    size_t first = static_cast<size_t>(headingRows);
    if (grid.size() <= first) return -1;
    for (size_t r = first; r < grid.size(); ++r)
        if (std::string_view(Cell(grid, r, column)).substr(0, text.size()) == text) return static_cast<int>(r);
    for (size_t r = first; r < grid.size(); ++r)
        if (std::string_view(Cell(grid, r, column)) > text) return static_cast<int>(r);
    return static_cast<int>(grid.size() - 1);
}

}  // namespace kestrana
