#pragma once
// Amount and whole-number text: two decimals, "." between thousands, ","
// before the decimals, whatever the machine's locale.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrana {

// 1234.5 -> "1.234,50", -20 -> "-20,00", 0.004 -> "0,00". The value is first
// written with 15 significant digits and that text is rounded half away from
// zero (1.005 -> "1,01"). A value that rounds to zero has no sign.
std::string FormatAmount(double value);

// As FormatAmount, but "" where that would give "0,00" (statement, prints).
std::string FormatAmountBlankZero(double value);

// Same rounding with a chosen number of decimals (0..6); "1.234,567" for 3.
std::string FormatAmountDecimals(double value, int decimals);

// The number the shown text reads back as: FormatAmount(v) parsed again.
double RoundAmountToCents(double value);

// The text without blanks around it.
std::string_view TrimBlanks(std::string_view text);
// The text with every thousands dot taken out: "1.234,50" -> "1234,50".
std::string RemoveThousandsDots(std::string_view text);

// A decimal number with decimal comma and no thousands dots, the whole text
// (blanks around it allowed): "1234,5", "-0,01", "12". Nothing else.
std::optional<double> ParseDecimal(std::string_view text);

// The reading of an amount box as it is typed: "" and "-" are 0, every
// thousands dot is dropped, the rest must be a decimal number.
std::optional<double> ParseAmount(std::string_view text);

// The reading when an amount box is left: "" is 0; the text as typed, or
// failing that with the thousands dots removed ("-" alone is not a number).
std::optional<double> ReadAmountOnLeave(std::string_view text);

// A 32-bit whole number: optional sign and digits; "" and "-" read as 0.
std::optional<int32_t> ParseInteger(std::string_view text);

// Half to even, as the form rounds kinds, zones and months and as a
// whole-number box takes a stored amount. Empty when the value does not fit
// a 32-bit integer (or is not finite).
std::optional<int32_t> RoundToInt32(double value);

// Digits of n, "" for 0 (how a whole-number box shows its value).
std::string FormatIntegerBlankZero(int64_t n);

// "'<text>' is not a valid floating point value"
std::string FloatConversionError(std::string_view text);
// "'<text>' is not a valid integer value"
std::string IntegerConversionError(std::string_view text);

}  // namespace kestrana
