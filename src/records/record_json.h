#pragma once
// A declaration record as JSON text: every named field, the row tables as
// arrays of row objects, and (E1) the filled code entries in stored order.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "records/declaration_kind.h"

namespace kestrana {

// `bytes` must hold at least the record size (6991 / 7620); std::invalid_argument
// otherwise.
std::string RecordToJson(DeclarationKind kind, std::span<const uint8_t> bytes);

// A text as a JSON string literal, quotes included; control characters,
// quotes and backslashes escaped, UTF-8 passed through.
void AppendJsonString(std::string& out, std::string_view text);
std::string JsonString(std::string_view text);

// Shortest decimal text that stores back as the same Real48 bytes.
std::string Real48Text(double value);

}  // namespace kestrana
