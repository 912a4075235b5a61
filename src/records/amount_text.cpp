#include "records/amount_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kestrana {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::string RemoveThousandsDots(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '.') out += c;
    return out;
}

namespace {

// Digits of |value| rounded to `decimals` places, via its 15-significant-digit
// decimal text. Returns integer part and fraction digits.
void RoundedDigits(double value, int decimals, std::string& intPart, std::string& fracPart) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf: d.dddddddddddddde[+-]xx
    std::string digits;
    digits += buf[0];
    digits.append(buf + 2, 14);
    int exp10 = std::atoi(buf + 17);
    // Place the decimal point: value = 0.d1d2... * 10^(exp10+1)
    int pointPos = exp10 + 1;  // digits before the point
    std::string whole, frac;
    if (pointPos <= 0) {
        whole = "0";
        frac = std::string(static_cast<size_t>(-pointPos), '0') + digits;
    } else if (pointPos >= static_cast<int>(digits.size())) {
        whole = digits + std::string(static_cast<size_t>(pointPos) - digits.size(), '0');
    } else {
        whole = digits.substr(0, static_cast<size_t>(pointPos));
        frac = digits.substr(static_cast<size_t>(pointPos));
    }
    bool roundUp = frac.size() > static_cast<size_t>(decimals) && frac[static_cast<size_t>(decimals)] >= '5';
    frac.resize(static_cast<size_t>(decimals), '0');
    if (roundUp) {
        std::string all = whole + frac;
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0 && all[static_cast<size_t>(i)] == '9') all[static_cast<size_t>(i--)] = '0';
        if (i < 0)
            all.insert(all.begin(), '1');
        else
            ++all[static_cast<size_t>(i)];
        whole = all.substr(0, all.size() - static_cast<size_t>(decimals));
        frac = all.substr(all.size() - static_cast<size_t>(decimals));
    }
    size_t nz = whole.find_first_not_of('0');
    whole = nz == std::string::npos ? "0" : whole.substr(nz);
    intPart = whole;
    fracPart = frac;
}

}  // namespace

std::string FormatAmountDecimals(double value, int decimals) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (decimals < 0) decimals = 0;
    if (decimals > 6) decimals = 6;
    std::string whole, frac;
    RoundedDigits(value, decimals, whole, frac);
    bool isZero = whole == "0" && frac.find_first_not_of('0') == std::string::npos;
    std::string out;
    if (value < 0 && !isZero) out += '-';
    size_t n = whole.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += '.';
        out += whole[i];
    }
    if (decimals > 0) {
        out += ',';
        out += frac;
    }
    return out;
}

std::string FormatAmount(double value) { return FormatAmountDecimals(value, 2); }

std::string FormatAmountBlankZero(double value) {
    std::string s = FormatAmount(value);
    return s == "0,00" ? std::string() : s;
}

double RoundAmountToCents(double value) {
    if (!std::isfinite(value)) return value;
    auto v = ParseAmount(FormatAmount(value));
    return v ? *v : 0.0;
}

std::optional<double> ParseDecimal(std::string_view text) {
    std::string_view s = TrimBlanks(text);
    if (s.empty()) return std::nullopt;
    std::string t;
    t.reserve(s.size());
    size_t i = 0;
    if (s[0] == '-' || s[0] == '+') {
        if (s[0] == '-') t += '-';
        i = 1;
    }
    bool digits = false, comma = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            t += c;
        } else if (c == ',' && !comma) {
            comma = true;
            t += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    double v = 0;
    const char* b = t.data();
    const char* e = t.data() + t.size();
    auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e) return std::nullopt;
    return v;
}

std::optional<double> ParseAmount(std::string_view text) {
    if (text.empty() || text == "-") return 0.0;
    return ParseDecimal(RemoveThousandsDots(text));
}

std::optional<double> ReadAmountOnLeave(std::string_view text) {
    if (text.empty()) return 0.0;
    if (auto v = ParseDecimal(text)) return v;
    return ParseDecimal(RemoveThousandsDots(text));
}

std::optional<int32_t> ParseInteger(std::string_view text) {
    if (text.empty() || text == "-") return 0;
    std::string_view s = TrimBlanks(text);
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > 2147483648LL) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(v);
}

std::string FormatIntegerBlankZero(int64_t n) { return n == 0 ? std::string() : std::to_string(n); }

std::string FloatConversionError(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid floating point value";
}

std::string IntegerConversionError(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::optional<int32_t> RoundToInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const long double r = std::nearbyintl(static_cast<long double>(value));  // ties to even
    if (r < static_cast<long double>(INT32_MIN) || r > static_cast<long double>(INT32_MAX)) return std::nullopt;
    return static_cast<int32_t>(r);
}

}  // namespace kestrana
