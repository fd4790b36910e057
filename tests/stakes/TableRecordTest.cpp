// Regular table stakes: the 280-byte record, the file read whole or not at
// all, and the shift around the ring 1..48 that makes each new combination.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/Errors.h"
#include "stakes/TableRecord.h"

namespace corvel {
namespace {

// A record laid out by hand: comment "Рег" (code page 1251 D0 E5 E3) with
// garbage after its length, UseLastDraw 1, Start 1..6, Current 7..12,
// Step -5 (FB FF FF FF), Made 300 (2C 01 00 00).
std::string HandBuiltRecord() {
    std::string b(280, '\0');
    b[0] = 3;
    b[1] = '\xD0';
    b[2] = '\xE5';
    b[3] = '\xE3';
    b[200] = '\x7F';  // beyond the comment's length: kept as it is
    b[256] = 1;
    for (int i = 0; i < 6; ++i) {
        b[static_cast<std::size_t>(257 + i)] = static_cast<char>(1 + i);
        b[static_cast<std::size_t>(263 + i)] = static_cast<char>(7 + i);
    }
    b[272] = '\xFB';
    b[273] = b[274] = b[275] = '\xFF';
    b[276] = 0x2C;
    b[277] = 0x01;
    return b;
}

const std::uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

TEST(TableRecord, DecodesTheFieldsAndEncodesTheSameBytes) {
    const std::string buffer = HandBuiltRecord();
    const TTableRec rec = DecodeTableRec(Bytes(buffer));
    EXPECT_EQ(rec.Comment(), "Рег");
    EXPECT_TRUE(rec.UseLastDraw);
    EXPECT_EQ(rec.Start, (TCombination{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(rec.Current, (TCombination{7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(rec.Step, -5);
    EXPECT_EQ(rec.Made, 300);
    EXPECT_EQ(TableDamage(rec), "");
    std::string out(280, '\x55');
    EncodeTableRec(rec, reinterpret_cast<std::uint8_t*>(out.data()));
    EXPECT_TRUE(out == buffer);
}

struct DamageCase {
    const char* Name;
    TCombination Start;
    TCombination Current;
    int Step;
    int Made;
    bool Damaged;
};

class TableDamageTest : public testing::TestWithParam<DamageCase> {};

TEST_P(TableDamageTest, TellsASoundRecordFromADamagedOne) {
    const DamageCase& c = GetParam();
    TTableRec rec;
    rec.Start = c.Start;
    rec.Current = c.Current;
    rec.Step = c.Step;
    rec.Made = c.Made;
    EXPECT_EQ(!TableDamage(rec).empty(), c.Damaged) << TableDamage(rec);
}

constexpr TCombination kOk{1, 2, 3, 4, 5, 6};
constexpr TCombination kZero{};

INSTANTIATE_TEST_SUITE_P(Cases, TableDamageTest,
                         testing::Values(DamageCase{"Sound", kOk, {43, 44, 45, 46, 47, 48}, 48, 0, false},
                                         DamageCase{"NoStartGiven", kZero, kZero, -48, 7, false},
                                         DamageCase{"ZeroAmongNumbers", {0, 2, 3, 4, 5, 6}, kOk, 1, 0, true},
                                         DamageCase{"NumberAbove48", kOk, {2, 3, 4, 5, 6, 49}, 1, 0, true},
                                         DamageCase{"NotAscending", {2, 1, 3, 4, 5, 6}, kOk, 1, 0, true},
                                         DamageCase{"Repeated", kOk, {1, 1, 3, 4, 5, 6}, 1, 0, true},
                                         DamageCase{"StepAbove48", kOk, kOk, 49, 0, true},
                                         DamageCase{"StepBelowMinus48", kOk, kOk, -49, 0, true},
                                         DamageCase{"NegativeCount", kOk, kOk, 1, -1, true}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(TablesFile, WritesAndReadsTheRecordsInOrder) {
    test::TempDir dir;
    TTableRec a;
    a.SetComment("Первая");
    a.Start = a.Current = kOk;
    a.Step = 3;
    TTableRec b;
    b.SetComment("Вторая");
    b.UseLastDraw = true;
    b.Step = -1;
    b.Made = 12;
    const std::vector<TTableRec> recs{a, b};
    WriteTablesFile(dir / "t.ltb", recs);
    EXPECT_EQ(std::filesystem::file_size(dir / "t.ltb"), 560u);
    EXPECT_EQ(ReadTablesFile(dir / "t.ltb"), recs);
}

TEST(TablesFile, RefusesAFileOfPartRecordsOrWithADamagedRecord) {
    test::TempDir dir;
    test::WriteBytes(dir / "short.ltb", HandBuiltRecord() + std::string(10, '\0'));
    EXPECT_EQ(test::ErrorOf([&] { ReadTablesFile(dir / "short.ltb"); }),
              "Размер файла регулярных ставок (290 байт) не кратен размеру записи (280 байт)");
    std::string damaged = HandBuiltRecord() + HandBuiltRecord();
    damaged[280 + 272] = 60;  // the second record's step: 60
    damaged[280 + 273] = damaged[280 + 274] = damaged[280 + 275] = 0;
    test::WriteBytes(dir / "damaged.ltb", damaged);
    EXPECT_EQ(test::ErrorOf([&] { ReadTablesFile(dir / "damaged.ltb"); }),
              "Запись 2 повреждена: шаг 60 вне диапазона от -48 до 48");
}

// Shifting: each row a regular, how many stakes it makes, and the Current
// the last one leaves (worked out by hand around the ring 1..48).
struct ShiftCase {
    const char* Name;
    TCombination Current;
    int Step;
    int Stakes;
    TCombination Expected;
};

class TableShiftTest : public testing::TestWithParam<ShiftCase> {};

TEST_P(TableShiftTest, MovesEveryNumberAroundTheRingAndSorts) {
    const ShiftCase& c = GetParam();
    TTableRec rec;
    rec.Start = rec.Current = c.Current;
    rec.Step = c.Step;
    for (int i = 0; i < c.Stakes; ++i) NextTableCombination(rec, {}, 0);
    EXPECT_EQ(rec.Current, c.Expected);
    EXPECT_EQ(rec.Made, c.Stakes);
    EXPECT_EQ(rec.Start, c.Current);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableShiftTest,
    testing::Values(ShiftCase{"Step1PastTheTop", {43, 44, 45, 46, 47, 48}, 1, 1, {1, 44, 45, 46, 47, 48}},
                    ShiftCase{"Step1Twice", {43, 44, 45, 46, 47, 48}, 1, 2, {1, 2, 45, 46, 47, 48}},
                    ShiftCase{"StepMinus5PastTheBottom", {1, 2, 3, 4, 5, 6}, -5, 1, {1, 44, 45, 46, 47, 48}},
                    ShiftCase{"Step48IsAFullTurn", {10, 11, 12, 13, 14, 15}, 48, 1, {10, 11, 12, 13, 14, 15}},
                    ShiftCase{"StepMinus48IsAFullTurn", {1, 9, 17, 25, 33, 48}, -48, 1, {1, 9, 17, 25, 33, 48}},
                    ShiftCase{"Step47FromTheTop", {20, 30, 40, 46, 47, 48}, 47, 1, {19, 29, 39, 45, 46, 47}},
                    ShiftCase{"Step0StaysPut", {3, 8, 15, 22, 37, 41}, 0, 3, {3, 8, 15, 22, 37, 41}}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(TableShift, WithTheLastDrawTheBaseIsTheDrawBeforeTheStakedOne) {
    const TDrawsArray draws{test::MakeDraw(1, {40, 2, 33, 4, 15, 6}), test::MakeDraw(2, {48, 7, 21, 1, 30, 12}),
                            test::MakeDraw(3, {9, 19, 29, 39, 44, 3})};
    TTableRec rec;
    rec.UseLastDraw = true;
    rec.Current = {1, 2, 3, 4, 5, 6};  // ignored with the last draw as the base
    // Step 0: exactly the numbers of the draw, ascending. Offset 1 stakes
    // draw 3, so the base is draw 2.
    NextTableCombination(rec, draws, 1);
    EXPECT_EQ(rec.Current, (TCombination{1, 7, 12, 21, 30, 48}));
    // Step 2 with nothing hidden: draw 3 moved by two, 44 + 2 = 46, 39 + 2 = 41.
    rec.Step = 2;
    NextTableCombination(rec, draws, 0);
    EXPECT_EQ(rec.Current, (TCombination{5, 11, 21, 31, 41, 46}));
    EXPECT_EQ(rec.Made, 2);
}

TEST(TableShift, ABaseThatDoesNotExistIsRefusedAndChangesNothing) {
    const TDrawsArray draws{test::MakeDraw(1, {1, 2, 3, 4, 5, 6})};
    TTableRec fromDraw;
    fromDraw.SetComment("От тиража");
    fromDraw.UseLastDraw = true;
    const TTableRec before = fromDraw;
    EXPECT_NE(test::ErrorOf([&] { NextTableCombination(fromDraw, draws, 1); }).find("От тиража"), std::string::npos);
    EXPECT_NE(test::ErrorOf([&] { NextTableCombination(fromDraw, {}, 0); }), "");
    EXPECT_EQ(fromDraw, before);

    TTableRec noStart;
    noStart.SetComment("Без старта");
    noStart.Step = 1;
    EXPECT_EQ(test::ErrorOf([&] { NextTableCombination(noStart, draws, 0); }),
              "У регулярной ставки \"Без старта\" нет стартовой комбинации.");
    EXPECT_EQ(noStart.Made, 0);
}

}  // namespace
}  // namespace corvel
