#include "records/cp1253.h"

#include <array>
#include <unordered_map>

namespace kestrana {

namespace {

const char32_t kHigh[128] = {
    0x20AC, 0xF781, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0xF788, 0x2030, 0xF78A, 0x2039, 0xF78C, 0xF78D, 0xF78E, 0xF78F,  // 88
    0xF790, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xF798, 0x2122, 0xF79A, 0x203A, 0xF79C, 0xF79D, 0xF79E, 0xF79F,  // 98
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0xF7AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,  // B8
    0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397,  // C0
    0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F,  // C8
    0x03A0, 0x03A1, 0xF7D2, 0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7,  // D0
    0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF,  // D8
    0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7,  // E0
    0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF,  // E8
    0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7,  // F0
    0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0xF7FF,  // F8
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at s[i], advancing i; a broken sequence gives
// U+FFFD and consumes one byte.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    char32_t c = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2; c = b0 & 0x1F; min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3; c = b0 & 0x0F; min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4; c = b0 & 0x07; min = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + static_cast<size_t>(len) > s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < len; ++k) {
        auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += static_cast<size_t>(len);
    return c;
}

const std::unordered_map<char32_t, uint8_t>& ReverseTable() {
    static const auto table = [] {
        std::unordered_map<char32_t, uint8_t> t;
        for (int b = 0; b < 128; ++b) t.emplace(kHigh[b], static_cast<uint8_t>(0x80 + b));
        return t;
    }();
    return table;
}

}  // namespace

char32_t Cp1253CodePoint(uint8_t byte) { return byte < 0x80 ? byte : kHigh[byte - 0x80]; }

std::string Cp1253ToUtf8(std::string_view bytes) {
    // UTF-8 of every byte, worked out once.
    struct Utf8Of {
        char text[4];
        uint8_t size;
    };
    static const auto table = [] {
        std::array<Utf8Of, 256> t{};
        for (int b = 0; b < 256; ++b) {
            std::string u;
            AppendUtf8(u, Cp1253CodePoint(static_cast<uint8_t>(b)));
            for (size_t i = 0; i < u.size(); ++i) t[static_cast<size_t>(b)].text[i] = u[i];
            t[static_cast<size_t>(b)].size = static_cast<uint8_t>(u.size());
        }
        return t;
    }();
    std::string out;
    out.resize(bytes.size() * 3);
    size_t n = 0;
    for (char ch : bytes) {
        const Utf8Of& u = table[static_cast<uint8_t>(ch)];
        for (uint8_t i = 0; i < u.size; ++i) out[n++] = u.text[i];
    }
    out.resize(n);
    return out;
}

std::string Utf8ToCp1253(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto& rev = ReverseTable();
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = NextCodePoint(utf8, i);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        auto it = rev.find(c);
        out += it == rev.end() ? '?' : static_cast<char>(it->second);
    }
    return out;
}

size_t Utf8Length(std::string_view utf8) {
    size_t n = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        NextCodePoint(utf8, i);
        ++n;
    }
    return n;
}

std::string ReadShortString(const uint8_t* field, size_t capacity) {
    size_t len = field[0];
    if (len > capacity) len = capacity;
    return Cp1253ToUtf8(std::string_view(reinterpret_cast<const char*>(field + 1), len));
}

bool WriteShortString(uint8_t* field, size_t capacity, std::string_view utf8) {
    std::string bytes = Utf8ToCp1253(utf8);
    if (capacity > 255) capacity = 255;
    bool whole = bytes.size() <= capacity;
    if (!whole) bytes.resize(capacity);
    field[0] = static_cast<uint8_t>(bytes.size());
    for (size_t i = 0; i < capacity; ++i)
        field[1 + i] = i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : 0;
    return whole;
}

}  // namespace kestrana
