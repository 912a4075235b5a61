#include "update/news_page.h"

#include "records/cp1253.h"

namespace kestrana {

bool IsUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        auto b = static_cast<unsigned char>(bytes[i]);
        int extra;
        char32_t cp;
        if (b < 0x80) { ++i; continue; }
        if (b >= 0xC2 && b <= 0xDF) { extra = 1; cp = b & 0x1F; }
        else if (b >= 0xE0 && b <= 0xEF) { extra = 2; cp = b & 0x0F; }
        else if (b >= 0xF0 && b <= 0xF4) { extra = 3; cp = b & 0x07; }
        else return false;
        if (i + extra >= bytes.size()) return false;  // cut inside a character
        for (int k = 1; k <= extra; ++k) {
            auto c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < smallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

std::optional<std::string> ReadNewsPage(const HttpReply& reply) {
    if (!reply.Ok() || reply.body.empty()) return std::nullopt;
    std::string_view page = reply.body;
    if (page.starts_with("\xEF\xBB\xBF")) page.remove_prefix(3);
    if (IsUtf8(page)) return std::string(page);
    return Cp1253ToUtf8(page);
}

}  // namespace kestrana
