// The 24-byte draw record of the archive file and the sorted view of a draw.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "model/Cp1251.h"
#include "model/DrawRecord.h"

namespace corvel {
namespace {

std::string Encoded(const TDrawRec& rec) {
    std::string bytes(TDrawRec::kFileSize, '\x55');  // poison: every byte must be written
    EncodeDrawRec(rec, reinterpret_cast<std::uint8_t*>(bytes.data()));
    return bytes;
}

TDrawRec Decoded(const std::string& bytes) {
    return DecodeDrawRec(reinterpret_cast<const std::uint8_t*>(bytes.data()));
}

TEST(DrawRecordLayout, EveryFieldAtItsOffsetLittleEndian) {
    TDrawRec rec = test::MakeDraw(0x01020304, {5, 17, 3, 44, 28, 9}, {7, 48}, "05.12.2026");
    const std::string expected = std::string("\x04\x03\x02\x01", 4)            // 0: Number, little-endian
                                 + std::string("\x05\x11\x03\x2C\x1C\x09", 6)  // 4: numbers in drawing order
                                 + std::string("\x07\x30", 2)                  // 10: E1, E2
                                 + std::string("\x0A", 1)                      // 12: date length
                                 + "05.12.2026" + std::string(1, '\0');        // 13: 11 date bytes, unused ones zero
    ASSERT_EQ(expected.size(), TDrawRec::kFileSize);
    EXPECT_EQ(Encoded(rec), expected);
    EXPECT_EQ(Decoded(expected), rec);
    EXPECT_EQ(Decoded(expected).DateText(), "05.12.2026");
}

TEST(DrawRecordLayout, NegativeAndLargeNumbersAreSignedThirtyTwoBit) {
    EXPECT_EQ(Encoded(test::MakeDraw(-2, {1, 2, 3, 4, 5, 6})).substr(0, 4), std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(Decoded(Encoded(test::MakeDraw(-2, {1, 2, 3, 4, 5, 6}))).Number, -2);
    EXPECT_EQ(Decoded(Encoded(test::MakeDraw(2147483647, {1, 2, 3, 4, 5, 6}))).Number, 2147483647);
    const std::string undated = Encoded(test::MakeDraw(1, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(undated.substr(12), std::string(12, '\0'));  // no date: length 0, all date bytes zero
}

// Whatever another program left in a record (numbers out of range, junk after
// the date, a length byte beyond the capacity) is written back unchanged.
TEST(DrawRecordLayout, ForeignRecordRoundTripsByteExact) {
    std::string foreign;
    for (int i = 0; i < 24; ++i) foreign += static_cast<char>(0xE7 - 9 * i);
    foreign[12] = static_cast<char>(0xC8);  // length 200
    const TDrawRec rec = Decoded(foreign);
    EXPECT_EQ(rec.DateLength, 200);
    EXPECT_EQ(rec.DateText(), Cp1251ToUtf8(foreign.substr(13, 11)));  // readers clamp to the capacity
    EXPECT_EQ(Encoded(rec), foreign);
}

TEST(DrawRecordDate, StoresCodePage1251CutToTenCharacters) {
    TDrawRec rec;
    rec.SetDateText("05.12.2026 21:00");
    EXPECT_EQ(rec.DateLength, 10);
    EXPECT_EQ(rec.DateText(), "05.12.2026");

    rec.SetDateText("Дата");  // shorter text clears what the longer one left
    EXPECT_EQ(rec.DateLength, 4);
    EXPECT_EQ(std::string(rec.DateBytes.data(), 11), std::string("\xC4\xE0\xF2\xE0\0\0\0\0\0\0\0", 11));
    EXPECT_EQ(rec.DateText(), "Дата");

    rec.SetDateText("");
    EXPECT_EQ(rec.DateLength, 0);
    EXPECT_EQ(rec.DateText(), "");
}

TEST(DrawRecordSorted, SortsOnlyTheSixNumbersOfACopy) {
    const TDrawRec rec = test::MakeDraw(12, {44, 5, 17, 3, 28, 9}, {40, 2}, "01.01.2020");
    const TDrawRec sorted = SortedCopy(rec);
    EXPECT_EQ(sorted.Numbers, (TCombination{3, 5, 9, 17, 28, 44}));
    EXPECT_EQ(sorted.Extra, (std::array<std::uint8_t, 2>{40, 2}));
    EXPECT_EQ(sorted.Number, 12);
    EXPECT_EQ(sorted.DateText(), "01.01.2020");
    EXPECT_EQ(rec.Numbers, (TCombination{44, 5, 17, 3, 28, 9}));
    EXPECT_EQ(rec.Sum(), sorted.Sum());
    EXPECT_EQ(rec.Sum(), 106);
}

TEST(DrawRecordSorted, HandlesDescendingAndEqualBytes) {
    TCombination n{48, 47, 46, 45, 44, 43};
    SortNumbers(n);
    EXPECT_EQ(n, (TCombination{43, 44, 45, 46, 47, 48}));
    TCombination raw{0, 255, 7, 0, 255, 7};  // bytes from a damaged file
    SortNumbers(raw);
    EXPECT_EQ(raw, (TCombination{0, 0, 7, 7, 255, 255}));
}

}  // namespace
}  // namespace corvel
