#pragma once
// Windows-1253 (Greek) text of the files <-> UTF-8 text of the program, and
// the length-prefixed string[N] fields of the records.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrana {

// Every byte has a character: the seventeen bytes 1253 leaves undefined map to
// private-use characters U+F700+byte, which convert back to the same byte.
std::string Cp1253ToUtf8(std::string_view bytes);
// A character without a 1253 byte, or a broken UTF-8 sequence, becomes "?".
std::string Utf8ToCp1253(std::string_view utf8);

// Unicode code point of a 1253 byte.
char32_t Cp1253CodePoint(uint8_t byte);

// The text of a string[capacity] field (length byte + capacity bytes); a
// length byte above the capacity is taken as the capacity.
std::string ReadShortString(const uint8_t* field, size_t capacity);
// Writes text cut to `capacity` characters (after conversion), length byte
// first, the rest of the field zero. Returns true when nothing was cut.
bool WriteShortString(uint8_t* field, size_t capacity, std::string_view utf8);

// Number of characters of a UTF-8 text (broken bytes count one each).
size_t Utf8Length(std::string_view utf8);

}  // namespace kestrana
