#include "records/afm.h"

namespace kestrana {

bool CheckAFM(std::string_view text) {
    if (text.empty()) return true;
    // Counting bytes is enough: a non-ASCII character among the last nine
    // bytes is never a digit, so a UTF-8 text is judged the same.
    if (text.size() < 9) return false;
    std::string_view nine = text.substr(text.size() - 9);
    int d[9];
    for (int i = 0; i < 9; ++i) {
        char c = nine[static_cast<size_t>(i)];
        if (c < '0' || c > '9') return false;
        d[i] = c - '0';
    }
    int sum = 0;
    for (int i = 0; i < 8; ++i) sum += d[i] << (8 - i);
    return (sum % 11) % 10 == d[8];
}

}  // namespace kestrana
