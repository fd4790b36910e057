// The stakes file on real files: the record layout byte by byte, series of
// stakes for several draws, deleting by rows and by condition, and the checks
// at start-up of damaged files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <ostream>

#include "TestSupport.h"
#include "model/Errors.h"
#include "stakes/StakesFile.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

TStakeRec Stake(std::int32_t draw, TCombination numbers, std::int32_t hits = -1) {
    TStakeRec r;
    r.Kind = TStakeKind::Manual;
    r.Draw = draw;
    r.Stake.Count = 6;
    for (std::size_t i = 0; i < 6; ++i) r.Stake.Values[i] = numbers[i];
    r.Hits.Count = hits;
    r.Checked = hits >= 0;
    r.Profit = TMoney::FromRaw(-100000);
    r.SetComment("Ставка");
    return r;
}

std::string Bytes(const TStakeRec& rec) {
    std::string out(TStakeRec::kFileSize, '\0');
    EncodeStakeRec(rec, reinterpret_cast<std::uint8_t*>(out.data()));
    return out;
}

TEST(StakeRecord, LayoutByteByByte) {
    TStakeRec r = Stake(1501, {1, 2, 3, 4, 5, 6});
    r.Sample = 100;
    const std::string b = Bytes(r);
    // Worked out by hand: version 2, kind 1, two zero bytes, 1501 = 0x05DD,
    // checked 0 and three zeros, sample 100, count 6 and the numbers, result
    // zero, hits -1, profit -10.0000 = -100000 = 0xFFFFFFFFFFFE7960, comment
    // "Ставка" in code page 1251 behind its length byte.
    std::string expected(
        "\x02\x01\x00\x00\xDD\x05\x00\x00\x00\x00\x00\x00\x64\x00\x00\x00"
        "\x06\x00\x00\x00\x01\x02\x03\x04\x05\x06\x00\x00"
        "\x00\x00\x00\x00\x00\x00\x00\x00"
        "\xFF\xFF\xFF\xFF\x00\x00\x00\x00\x00\x00\x00\x00"
        "\x60\x79\xFE\xFF\xFF\xFF\xFF\xFF"
        "\x06\xD1\xF2\xE0\xE2\xEA\xE0",
        63);
    expected.resize(TStakeRec::kFileSize, '\0');
    EXPECT_EQ(b, expected);
    EXPECT_EQ(DecodeStakeRec(reinterpret_cast<const std::uint8_t*>(b.data())), r);
    EXPECT_EQ(r.Comment(), "Ставка");
}

TEST(StakeRecord, BlankRecordIsASeparator) {
    const std::string b = Bytes(BlankStake());
    std::string expected(TStakeRec::kFileSize, '\0');
    expected[0] = 2;
    for (int i = 4; i < 8; ++i) expected[static_cast<std::size_t>(i)] = '\xFF';    // Draw -1
    for (int i = 36; i < 40; ++i) expected[static_cast<std::size_t>(i)] = '\xFF';  // Hits.Count -1
    EXPECT_EQ(b, expected);
    EXPECT_TRUE(BlankStake().IsSeparator());
}

struct DamageCase {
    const char* Name;
    std::size_t Offset;
    std::uint8_t Value;
    const char* Why;  // part of the reason, "" for a sound record
    friend void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.Name; }
};

class StakeDamageTest : public testing::TestWithParam<DamageCase> {};

TEST_P(StakeDamageTest, IsReportedBeforeItIndexesAnything) {
    std::string b = Bytes(Stake(10, {1, 2, 3, 4, 5, 6}, 0));  // checked, no hits
    b[GetParam().Offset] = static_cast<char>(GetParam().Value);
    const std::string why = StakeDamage(DecodeStakeRec(reinterpret_cast<const std::uint8_t*>(b.data())));
    if (*GetParam().Why == '\0') {
        EXPECT_EQ(why, "");
    } else {
        EXPECT_NE(why.find(GetParam().Why), std::string::npos) << why;
    }
}

INSTANTIATE_TEST_SUITE_P(Records, StakeDamageTest,
                         testing::Values(DamageCase{"Sound", 0, 2, ""},
                                         DamageCase{"EightNumbers", 16, 8, "число ставки 0"},
                                         DamageCase{"CountAboveEight", 16, 9, "количество чисел ставки 9"},
                                         DamageCase{"NegativeCount", 19, 0x80, "количество чисел ставки"},
                                         DamageCase{"HitsAboveNumbers", 36, 7, "количество совпадений 7"},
                                         DamageCase{"NumberAbove48", 21, 49, "число ставки 49"},
                                         DamageCase{"WrongVersion", 0, 3, "версия записи 3"}),
                         [](const auto& row) { return std::string(row.param.Name); });

class StakesFileTest : public testing::Test {
  protected:
    fs::path Path() const { return dir_ / "CorvelLotto_6x48.lsk"; }
    std::vector<TStakeRec> All() {
        std::vector<TStakeRec> out(static_cast<std::size_t>(file_.Count()));
        file_.ReadRange(0, out);
        return out;
    }
    std::vector<std::int32_t> Draws() {
        std::vector<std::int32_t> out;
        for (const auto& r : All()) out.push_back(r.Draw);
        return out;
    }
    test::TempDir dir_;
    TStakesFile file_{dir_ / "CorvelLotto_6x48.lsk"};
};

TEST_F(StakesFileTest, SeriesForThreeDrawsAfterAStakeAndInAnEmptyFile) {
    ASSERT_TRUE(file_.Open().empty());
    file_.Append(Stake(100, {1, 2, 3, 4, 5, 6}), 3);
    EXPECT_EQ(Draws(), (std::vector<std::int32_t>{100, -1, 101, -1, 102}));
    file_.Append(Stake(200, {7, 8, 9, 10, 11, 12}), 3);
    EXPECT_EQ(Draws(), (std::vector<std::int32_t>{100, -1, 101, -1, 102, -1, 200, -1, 201, -1, 202}));
    // The separators are blank records, byte for byte.
    EXPECT_EQ(Bytes(file_.Read(1)), Bytes(BlankStake()));
    EXPECT_EQ(fs::file_size(Path()), 11u * 312u);
}

TEST_F(StakesFileTest, RefusedAppendsWriteNothing) {
    ASSERT_TRUE(file_.Open().empty());
    file_.Append(Stake(5, {1, 2, 3, 4, 5, 6}));
    EXPECT_THROW(file_.Append(Stake(6, {1, 2, 3, 4, 5, 6}, 2)), EInvalidArgument);  // checked already
    EXPECT_THROW(file_.Append(Stake(INT32_MAX - 1, {1, 2, 3, 4, 5, 6}), 3), EInvalidArgument);
    EXPECT_THROW(file_.Append(Stake(6, {1, 2, 3, 4, 5, 6}), 0), EInvalidArgument);
    // A batch with one refused stake writes none of it.
    const TStakeRec batch[] = {Stake(7, {1, 2, 3, 4, 5, 6}), Stake(8, {1, 2, 3, 4, 5, 6}, 0)};
    EXPECT_THROW(file_.Append(batch), EInvalidArgument);
    EXPECT_EQ(Draws(), (std::vector<std::int32_t>{5}));
    file_.Append(Stake(INT32_MAX - 2, {1, 2, 3, 4, 5, 6}), 3);  // just fits
    EXPECT_EQ(All().back().Draw, INT32_MAX);
}

struct ConditionCase {
    const char* Name;
    TStakeCondition Condition;
    int Value;
    std::vector<std::int32_t> Kept;  // draws left; -1 is the separator
    friend void PrintTo(const ConditionCase& c, std::ostream* os) { *os << c.Name; }
};

class StakesDeleteByCondition : public StakesFileTest, public testing::WithParamInterface<ConditionCase> {};

TEST_P(StakesDeleteByCondition, KeepsSeparatorsAndTheOthers) {
    // Draw numbers name the stakes: 1 unchecked (-1 hits), 2 with 0 hits,
    // 3 with 3, 4 with 6, and a separator between 2 and 3.
    ASSERT_TRUE(file_.Open().empty());
    const TStakeRec recs[] = {Stake(1, {1, 2, 3, 4, 5, 6}), Stake(2, {1, 2, 3, 4, 5, 6}, 0), BlankStake(),
                              Stake(3, {1, 2, 3, 4, 5, 6}, 3), Stake(4, {1, 2, 3, 4, 5, 6}, 6)};
    // Checked stakes cannot be appended; they are written as checking would.
    for (const TStakeRec& r : recs) {
        TStakeRec unchecked = r;
        unchecked.Checked = false;
        file_.Append(unchecked);
        file_.Write(file_.Count() - 1, r);
    }
    file_.DeleteByCondition(GetParam().Condition, GetParam().Value);
    EXPECT_EQ(Draws(), GetParam().Kept);
    EXPECT_EQ(test::FolderEntries(dir_.path()), std::vector<std::string>{"CorvelLotto_6x48.lsk"});
}

INSTANTIATE_TEST_SUITE_P(Conditions, StakesDeleteByCondition,
                         testing::Values(ConditionCase{"EqualThree", TStakeCondition::Equal, 3, {1, 2, -1, 4}},
                                         ConditionCase{"GreaterThree", TStakeCondition::Greater, 3, {1, 2, -1, 3}},
                                         ConditionCase{"AtLeastThree", TStakeCondition::AtLeast, 3, {1, 2, -1}},
                                         ConditionCase{
                                             "LessOneTakesUncheckedToo", TStakeCondition::Less, 1, {-1, 3, 4}},
                                         ConditionCase{"AtMostZero", TStakeCondition::AtMost, 0, {-1, 3, 4}},
                                         ConditionCase{"EqualFiveNone", TStakeCondition::Equal, 5, {1, 2, -1, 3, 4}}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST_F(StakesFileTest, DeleteRangeAndClearRewriteTheWholeFile) {
    ASSERT_TRUE(file_.Open().empty());
    for (int d = 1; d <= 5; ++d) file_.Append(Stake(d, {1, 2, 3, 4, 5, 6}));
    struct stat before {};
    ASSERT_EQ(::stat(Path().c_str(), &before), 0);
    file_.DeleteRange(1, 2);
    EXPECT_EQ(Draws(), (std::vector<std::int32_t>{1, 4, 5}));
    struct stat after {};
    ASSERT_EQ(::stat(Path().c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "a new file is renamed over the old one";
    EXPECT_THROW(file_.DeleteRange(2, 3), EInvalidArgument);
    EXPECT_EQ(file_.Count(), 3);
    // The reopened file is the new one: appending goes on behind it.
    file_.Append(Stake(9, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Draws(), (std::vector<std::int32_t>{1, 4, 5, 9}));
    file_.Clear();
    EXPECT_EQ(file_.Count(), 0);
    EXPECT_EQ(fs::file_size(Path()), 0u);
    EXPECT_EQ(test::FolderEntries(dir_.path()), std::vector<std::string>{"CorvelLotto_6x48.lsk"});
}

TEST_F(StakesFileTest, PartialTrailingRecordCostsOnlyThatRecord) {
    std::string whole = Bytes(Stake(1, {1, 2, 3, 4, 5, 6})) + Bytes(Stake(2, {7, 8, 9, 10, 11, 12}));
    const std::string damaged = whole + std::string(100, '\x07');  // a crash while appending
    test::WriteBytes(Path(), damaged);
    const auto warnings = file_.Open();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find("неполной записью (100 байт)"), std::string::npos) << warnings[0];
    EXPECT_EQ(test::ReadBytes(Path()), whole);
    EXPECT_EQ(test::ReadBytes(dir_ / "CorvelLotto_6x48.lsk.bak"), damaged);
    EXPECT_EQ(Draws(), (std::vector<std::int32_t>{1, 2}));
}

TEST_F(StakesFileTest, OldVersionIsEmptiedAfterABackup) {
    std::string old = Bytes(Stake(1, {1, 2, 3, 4, 5, 6}));
    old[0] = 1;
    test::WriteBytes(Path(), old);
    const auto warnings = file_.Open();
    ASSERT_FALSE(warnings.empty());
    EXPECT_EQ(warnings[0], "Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут удалены!");
    EXPECT_EQ(file_.Count(), 0);
    EXPECT_EQ(test::ReadBytes(dir_ / "CorvelLotto_6x48.lsk.bak"), old);
}

TEST_F(StakesFileTest, DamagedRecordsAreReportedAndKept) {
    std::string second = Bytes(Stake(2, {1, 2, 3, 4, 5, 6}));
    second[16] = 12;  // twelve numbers in an eight-number record
    const std::string bytes = Bytes(Stake(1, {1, 2, 3, 4, 5, 6})) + second;
    test::WriteBytes(Path(), bytes);
    const auto warnings = file_.Open();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("поврежденных записей: 1 (первая - запись 1: количество чисел ставки 12"),
              std::string::npos)
        << warnings[0];
    EXPECT_EQ(test::ReadBytes(Path()), bytes);
}

TEST_F(StakesFileTest, AFifoInTheFilesPlaceIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(Path().c_str(), 0644), 0);
    EXPECT_THROW(file_.Open(), EFileError);
    EXPECT_FALSE(file_.IsOpen());
}

TEST_F(StakesFileTest, FindAndRecentDraws) {
    ASSERT_TRUE(file_.Open().empty());
    // Checked stakes for draws 10, 10, 11, 12 and an unchecked one for 13.
    const std::int32_t draws[] = {10, 10, 11, 12};
    for (std::int32_t d : draws) {
        file_.Append(Stake(d, {1, 2, 3, 4, 5, 6}));
        file_.Write(file_.Count() - 1, Stake(d, {1, 2, 3, 4, 5, 6}, 1));
    }
    file_.Append(Stake(13, {6, 5, 4, 3, 2, 1}));
    TStakeNumbers numbers;
    numbers.Count = 6;
    numbers.Values = {6, 5, 4, 3, 2, 1, 0, 0};
    EXPECT_TRUE(file_.Find(13, numbers));  // the same numbers in another order
    EXPECT_FALSE(file_.Find(12, TStakeNumbers{5, {1, 2, 3, 4, 5, 0, 0, 0}}));
    EXPECT_EQ(file_.CountRecentDraws(2).Count, 2);
    EXPECT_EQ(file_.CountRecentDraws(2).Start, 2);  // draws 11 and 12 start at record 2
    EXPECT_EQ(file_.CountRecentDraws(10).Count, 3);
    EXPECT_EQ(file_.CountRecentDraws(10).Start, 0);
}

}  // namespace
}  // namespace corvel
