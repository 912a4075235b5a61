// Amount text, whole numbers, the tax-number check, Real48 and cp1253.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "records/afm.h"
#include "records/amount_text.h"
#include "records/cp1253.h"
#include "records/errors.h"
#include "records/real48.h"

namespace kestrana {
namespace {

TEST(AmountText, FormatsWithGreekSeparatorsAndHalfAwayRounding) {
    struct Case { double v; const char* text; } cases[] = {
        {1234.5, "1.234,50"}, {-20, "-20,00"}, {0.004, "0,00"}, {0, "0,00"},
        {-0.004, "0,00"}, {1.005, "1,01"}, {2.675, "2,68"}, {-2.675, "-2,68"},
        {0.995, "1,00"}, {999.995, "1.000,00"}, {1234567.891, "1.234.567,89"},
        {100, "100,00"}, {1000, "1.000,00"}, {-1234567, "-1.234.567,00"},
        {0.01, "0,01"}, {1e15, "1.000.000.000.000.000,00"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatAmount(c.v), c.text) << c.v;
    EXPECT_EQ(FormatAmountBlankZero(0.004), "");
    EXPECT_EQ(FormatAmountBlankZero(0), "");
    EXPECT_EQ(FormatAmountBlankZero(0.005), "0,01");
    EXPECT_EQ(FormatAmountDecimals(1234.5675, 3), "1.234,568");
}

TEST(AmountText, RoundToCentsIsWhatTheTextReadsBack) {
    EXPECT_DOUBLE_EQ(RoundAmountToCents(1.005), 1.01);
    EXPECT_DOUBLE_EQ(RoundAmountToCents(1234.5), 1234.5);
    EXPECT_DOUBLE_EQ(RoundAmountToCents(-2.675), -2.68);
    EXPECT_EQ(RoundAmountToCents(0.004), 0.0);
}

TEST(AmountText, ParsesTypedAndLeavingTexts) {
    struct Case { const char* text; std::optional<double> typed, leave; } cases[] = {
        {"", 0.0, 0.0},
        {"-", 0.0, std::nullopt},
        {"1234,5", 1234.5, 1234.5},
        {"1.234,50", 1234.5, 1234.5},
        {"1,005", 1.005, 1.005},
        {",", std::nullopt, std::nullopt},
        {",5", 0.5, 0.5},
        {"12-", std::nullopt, std::nullopt},
        {"1,2,3", std::nullopt, std::nullopt},
        {"-20", -20.0, -20.0},
        {"abc", std::nullopt, std::nullopt},
        {"1e5", std::nullopt, std::nullopt},
        {"1.5", 15.0, 15.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseAmount(c.text), c.typed) << c.text;
        EXPECT_EQ(ReadAmountOnLeave(c.text), c.leave) << c.text;
    }
    EXPECT_FALSE(ParseDecimal("1.234,5"));
}

TEST(AmountText, ParsesIntegersWithin32Bits) {
    EXPECT_EQ(ParseInteger(""), 0);
    EXPECT_EQ(ParseInteger("-"), 0);
    EXPECT_EQ(ParseInteger("-12"), -12);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
    EXPECT_FALSE(ParseInteger("2147483648"));
    EXPECT_FALSE(ParseInteger("99999999999999999999"));
    EXPECT_FALSE(ParseInteger("1-2"));
    EXPECT_FALSE(ParseInteger("1,5"));
    EXPECT_EQ(FormatIntegerBlankZero(0), "");
    EXPECT_EQ(FormatIntegerBlankZero(-7), "-7");
    EXPECT_EQ(FloatConversionError(","), "',' is not a valid floating point value");
    EXPECT_EQ(IntegerConversionError("x"), "'x' is not a valid integer value");
}

TEST(CheckAFM, Cases) {
    struct Case { const char* text; bool ok; } cases[] = {
        {"", true}, {"12345678", false}, {"000000000", true},
        {"094014201", true},    // S mod 11 = 1
        {"123456783", true},  {"123456784", false},
        {"00000001A", false}, {"0000A0000", false},
        {"EL094014201", true}, {"EL094014202", false},
        // 000000150: S = 1*4 + 5*2 = 14 -> r = 3; 000000010: S=2 -> 2
        {"000000013", false}, {"000000012", true},
        // S = 10 (d8 = 5 -> 10): remainder 10 needs last digit 0
        {"000000050", true}, {"000000051", false},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckAFM(c.text), c.ok) << c.text;
}

std::string Hex(const Real48Bytes& b) {
    std::string s;
    char buf[4];
    for (auto x : b) {
        std::snprintf(buf, sizeof buf, "%02X ", x);
        s += buf;
    }
    s.pop_back();
    return s;
}

TEST(Real48, EncodesTheFileExamplesBitForBit) {
    struct Case { long double v; const char* hex; } cases[] = {
        {1, "81 00 00 00 00 00"},    {-1, "81 00 00 00 00 80"},
        {0.5, "80 00 00 00 00 00"},  {2, "82 00 00 00 00 00"},
        {100, "87 00 00 00 00 48"},  {15000, "8E 00 00 00 60 6A"},
        {1234.56, "8B 1F 85 EB 51 1A"}, {0.01, "7A 71 3D 0A D7 23"},
        {0, "00 00 00 00 00 00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(EncodeReal48(c.v)), c.hex) << static_cast<double>(c.v);
        // The amounts the program stores come in as doubles.
        EXPECT_EQ(Hex(EncodeReal48(static_cast<double>(c.v))), c.hex);
    }
}

TEST(Real48, DecodesAndRoundTrips) {
    const uint8_t cent[6] = {0x7A, 0x71, 0x3D, 0x0A, 0xD7, 0x23};
    EXPECT_EQ(DecodeReal48(cent), 0.010000000000005116);
    const uint8_t zeroExp[6] = {0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(DecodeReal48(zeroExp), 0.0);
    for (double v : {1234.56, -0.01, 999999999.99, 12345678.9, 0.33}) {
        double back = DecodeReal48(EncodeReal48(v));
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-12) << v;
    }
}

TEST(Real48, RoundsCarriesUnderflowsAndOverflows) {
    // Just below 2: the mantissa is all ones, rounding carries into 2.
    long double nearTwo = 2.0L - std::ldexp(1.0L, -45);
    EXPECT_EQ(Hex(EncodeReal48(nearTwo)), "82 00 00 00 00 00");
    // Exactly half of the last kept bit rounds up in magnitude.
    long double half = 1.0L + std::ldexp(1.0L, -40);
    EXPECT_EQ(Hex(EncodeReal48(half)), "81 01 00 00 00 00");
    EXPECT_EQ(Hex(EncodeReal48(-half)), "81 01 00 00 00 80");
    long double belowHalf = 1.0L + std::ldexp(1.0L, -41);
    EXPECT_EQ(Hex(EncodeReal48(belowHalf)), "81 00 00 00 00 00");
    // Smallest storable magnitude 2^-128; below it gives zero.
    EXPECT_EQ(Hex(EncodeReal48(std::ldexp(1.0L, -128))), "01 00 00 00 00 00");
    EXPECT_EQ(Hex(EncodeReal48(std::ldexp(1.0L, -129))), "00 00 00 00 00 00");
    EXPECT_EQ(Hex(EncodeReal48(std::ldexp(1.0L, 126))), "FF 00 00 00 00 00");
    EXPECT_THROW(EncodeReal48(std::ldexp(1.0L, 127)), FloatOverflowError);
    EXPECT_THROW(EncodeReal48(-std::ldexp(1.0L, 127)), FloatOverflowError);
    // Rounding up into 2^127 overflows too.
    EXPECT_THROW(EncodeReal48(std::ldexp(2.0L - std::ldexp(1.0L, -45), 126)), FloatOverflowError);
    EXPECT_THROW(EncodeReal48(NAN), FloatOverflowError);
    EXPECT_THROW(EncodeReal48(INFINITY), FloatOverflowError);
}

TEST(Cp1253, EveryByteRoundTripsAndGreekMaps) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::string utf8 = Cp1253ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1253(utf8), all);
    EXPECT_EQ(Utf8Length(utf8), 256u);
    EXPECT_EQ(Cp1253ToUtf8("\xCA\xC5\xD3\xD4\xD1\xC1\xCD\xC1"), "ΚΕΣΤΡΑΝΑ");
    EXPECT_EQ(Utf8ToCp1253("άέήίόύώΐΰ"), "\xDC\xDD\xDE\xDF\xFC\xFD\xFE\xC0\xE0");
    EXPECT_EQ(Utf8ToCp1253("Ά€"), "\xA2\x80");
    EXPECT_EQ(Utf8ToCp1253("a\xE4\xB8\xAD" "b"), "a?b");  // no 1253 byte
    EXPECT_EQ(Utf8ToCp1253("a\xC3"), "a?");               // cut sequence
    EXPECT_EQ(Utf8ToCp1253("\xC0\xAF"), "??");            // overlong
}

TEST(Cp1253, ShortStringFieldsCutPadAndClamp) {
    uint8_t field[1 + 5];
    std::memset(field, 0xEE, sizeof field);
    EXPECT_FALSE(WriteShortString(field, 5, "ΠΑΠΑΔΟΠΟΥΛΟΣ"));
    EXPECT_EQ(field[0], 5);
    EXPECT_EQ(ReadShortString(field, 5), "ΠΑΠΑΔ");
    EXPECT_TRUE(WriteShortString(field, 5, "Αβ"));
    const uint8_t expect[6] = {2, 0xC1, 0xE2, 0, 0, 0};
    EXPECT_EQ(std::memcmp(field, expect, 6), 0);
    // A length byte beyond the capacity never reads past the field.
    uint8_t bad[4] = {200, 'a', 'b', 'c'};
    EXPECT_EQ(ReadShortString(bad, 3), "abc");
}

}  // namespace
}  // namespace kestrana
