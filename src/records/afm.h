#pragma once
// Greek tax registration number (Α.Φ.Μ.) check digit.
#include <string_view>

namespace kestrana {

// True for the empty text and for a text whose last nine characters are
// digits with a correct check digit (a longer text is judged by those nine).
bool CheckAFM(std::string_view text);

}  // namespace kestrana
