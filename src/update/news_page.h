#pragma once
// The editorial page of the news window, as the server sent it.
#include <optional>
#include <string>

#include "update/http_client.h"

namespace kestrana {

// Shown in place of a page that could not be fetched.
inline constexpr char kNewsUnavailable[] = "Τα νέα δεν είναι διαθέσιμα αυτή τη στιγμή.";

// The page as UTF-8 HTML: a page in UTF-8 as it is (without a byte-order
// mark), any other page read as Windows-1253, the Greek code page of the
// maker's files. nullopt when the request failed or the page is empty.
std::optional<std::string> ReadNewsPage(const HttpReply& reply);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view bytes);

}  // namespace kestrana
