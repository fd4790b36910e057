// Code page 1251 conversion and the small text helpers of the parsers.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "model/Cp1251.h"
#include "model/TextUtil.h"

namespace corvel {
namespace {

TEST(Cp1251, RussianTextRoundTrips) {
    const std::string text = "Ошибка записи в файл тиражей! Съешь же ещё этих мягких французских булок, ЁЖ № 5 — «да»";
    const std::string cp = Utf8ToCp1251(text);
    EXPECT_EQ(cp.size(), Utf8Characters(text).size());  // one byte per character
    EXPECT_EQ(Cp1251ToUtf8(cp), text);
}

struct ByteCase {
    const char* Name;
    const char* Utf8;
    unsigned char Byte;
};

void PrintTo(const ByteCase& c, std::ostream* os) { *os << c.Name; }

class Cp1251Byte : public ::testing::TestWithParam<ByteCase> {};

TEST_P(Cp1251Byte, CharacterHasItsCodePageByte) {
    const ByteCase& c = GetParam();
    EXPECT_EQ(Utf8ToCp1251(c.Utf8), std::string(1, static_cast<char>(c.Byte)));
    EXPECT_EQ(Cp1251ToUtf8(std::string(1, static_cast<char>(c.Byte))), c.Utf8);
}

INSTANTIATE_TEST_SUITE_P(Characters, Cp1251Byte,
                         ::testing::Values(ByteCase{"CapitalA", "А", 0xC0}, ByteCase{"SmallYa", "я", 0xFF},
                                           ByteCase{"CapitalYo", "Ё", 0xA8}, ByteCase{"SmallYo", "ё", 0xB8},
                                           ByteCase{"NumeroSign", "№", 0xB9}, ByteCase{"Euro", "€", 0x88},
                                           ByteCase{"EmDash", "—", 0x97}, ByteCase{"Guillemet", "«", 0xAB},
                                           ByteCase{"NoBreakSpace", "\u00A0", 0xA0},
                                           ByteCase{"UkrainianGhe", "ґ", 0xB4}, ByteCase{"Ascii", "z", 'z'}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(Cp1251, EveryAssignedByteSurvivesTheUtf8RoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Cp1251, WhatTheCodePageCannotHoldBecomesQuestionMarks) {
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");            // the one unassigned byte
    EXPECT_EQ(Utf8ToCp1251("日本"), "??");           // characters outside the code page
    EXPECT_EQ(Utf8ToCp1251("a\U0001F600b"), "a?b");  // four-byte sequence, one character
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");            // truncated sequence at the end
    EXPECT_EQ(Utf8ToCp1251("\xD0z"), "?z");          // broken continuation
    EXPECT_EQ(Utf8ToCp1251("\xFFЯ"), "?\xDF");       // invalid lead byte, then a good character
}

TEST(TextUtil, IntegersAreWholeTrimmedDecimalTexts) {
    EXPECT_EQ(ToInt64(" 42 "), 42);
    EXPECT_EQ(ToInt64("+7"), 7);
    EXPECT_EQ(ToInt64("-15"), -15);
    EXPECT_EQ(ToInt64("007"), 7);
    for (const char* bad : {"", " ", "+", "4 2", "42x", "0x10", "1.0", "99999999999999999999", "+-1"})
        EXPECT_EQ(ToInt64(bad), std::nullopt) << '"' << bad << '"';
    EXPECT_EQ(ToIntDef("12", -1), 12);
    EXPECT_EQ(ToIntDef("x", -1), -1);
    EXPECT_EQ(ToIntDef("2147483648", -1), -1);  // outside int
    EXPECT_EQ(ToIntDef("-2147483648", 0), -2147483647 - 1);
}

TEST(TextUtil, SplitKeepsOrSkipsEmptyPieces) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(SplitAny(";a,,b;", ",;", false), (V{"", "a", "", "b", ""}));
    EXPECT_EQ(SplitAny(";a,,b;", ",;", true), (V{"a", "b"}));
    EXPECT_EQ(SplitAny("", ",", false), (V{""}));
    EXPECT_EQ(SplitAny("", ",", true), V{});
}

TEST(TextUtil, CaseFoldingIsAsciiOnly) {
    EXPECT_TRUE(EqualsIgnoreCaseAscii("Draws_Offset", "dRAWS_oFFSET"));
    EXPECT_FALSE(EqualsIgnoreCaseAscii("abc", "abcd"));
    EXPECT_FALSE(EqualsIgnoreCaseAscii("a", "b"));
    EXPECT_EQ(ToUpperAscii("pos1 Число"), "POS1 Число");
}

TEST(TextUtil, Utf8CharactersSplitsCodePoints) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(Utf8Characters("aЖ€\U0001F600"), (V{"a", "Ж", "€", "\U0001F600"}));
    EXPECT_EQ(Utf8Characters("\xD0"), (V{"\xD0"}));  // a cut sequence is one piece, not an overrun
}

}  // namespace
}  // namespace corvel
