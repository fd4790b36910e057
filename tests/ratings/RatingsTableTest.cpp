// The ratings table: stakes summed by comment (case ignored, Russian too),
// the record layout, the efficiency columns against hand-worked figures, a
// strict sort over every column, CSV text and rows turned back into
// scenario lines.
#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "ratings/RatingsTable.h"
#include "stats/StatFixtures.h"
#include "stats/StatList.h"

namespace corvel {
namespace {

TStakeRec Checked(const char* comment, int hits, double profit) {
    TStakeRec r;
    r.Kind = TStakeKind::Scenario;
    r.Draw = 5;
    r.Checked = true;
    r.Stake.Count = 6;
    r.Hits.Count = hits;
    r.Profit = TMoney::FromDouble(profit);
    r.SetComment(comment);
    return r;
}

TEST(RatingsTable, StakesOfOneCommentInAnyCaseShareARow) {
    TRatingsTable t;
    EXPECT_TRUE(t.Add(Checked("Мой Сценарий", 3, 8)));
    EXPECT_TRUE(t.Add(Checked("мой сценарий", 0, -2)));
    EXPECT_TRUE(t.Add(Checked("МОЙ СЦЕНАРИЙ", 3, 8)));
    EXPECT_TRUE(t.Add(Checked("Ёлка", 1, -2)));
    EXPECT_TRUE(t.Add(Checked("ёЛКА", 2, -2)));
    TStakeRec unchecked = Checked("другой", 6, 0);
    unchecked.Checked = false;
    unchecked.Hits.Count = -1;
    EXPECT_TRUE(t.Add(unchecked));
    ASSERT_EQ(t.Count(), 2u);
    const TRatingRec& r = t.Rows()[0];
    EXPECT_EQ(r.Comment(), "Мой Сценарий");  // the first stake's spelling
    EXPECT_EQ(r.Stakes, 3u);
    EXPECT_EQ(r.Matches, 6u);
    EXPECT_EQ(r.ByMatches, (std::array<std::uint32_t, 7>{1, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(r.Profit, TMoney::FromDouble(14));
    EXPECT_EQ(t.Rows()[1].Stakes, 2u);

    // A comment of the full 255 bytes may be cut from a longer one: not rated.
    EXPECT_FALSE(t.Add(Checked(std::string(300, 'x').c_str(), 1, 0)));
    EXPECT_EQ(t.Count(), 2u);
}

TEST(RatingsTable, RecordLayoutAndFileRoundTrip) {
    TRatingRec r;
    r.CommentBytes[0] = 2;
    r.CommentBytes[1] = 'A';
    r.CommentBytes[2] = 0xC1;  // Б
    r.Stakes = 0x01020304;
    r.Matches = 7;
    r.ByMatches = {1, 2, 3, 4, 5, 6, 0x0A0B0C0D};
    r.Profit = TMoney::FromRaw(-2);
    std::uint8_t bytes[TRatingRec::kFileSize];
    EncodeRatingRec(r, bytes);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[2], 0xC1);
    EXPECT_EQ((std::vector<int>(bytes + 256, bytes + 260)), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(bytes[264 + 24], 0x0D);
    EXPECT_EQ((std::vector<int>(bytes + 292, bytes + 296)), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ((std::vector<int>(bytes + 296, bytes + 304)),
              (std::vector<int>{0xFE, 255, 255, 255, 255, 255, 255, 255}));
    EXPECT_EQ(DecodeRatingRec(bytes), r);
    EXPECT_EQ(r.Comment(), "AБ");

    test::TempDir dir;
    TRatingsTable t;
    t.Add(Checked("один", 2, 1));
    t.Add(Checked("два", 3, 2));
    t.Save(dir / "r.lrt");
    EXPECT_EQ(test::ReadBytes(dir / "r.lrt").size(), 2 * TRatingRec::kFileSize);
    TRatingsTable back;
    back.Load(dir / "r.lrt");
    EXPECT_EQ(back.Rows(), t.Rows());
    // Adding after loading finds the loaded row.
    back.Add(Checked("ОДИН", 1, 0));
    EXPECT_EQ(back.Rows()[0].Stakes, 2u);

    // A file that is no whole number of records is refused; the table stays.
    test::WriteBytes(dir / "bad.lrt", std::string(305, '\0'));
    EXPECT_THROW(back.Load(dir / "bad.lrt"), EFileError);
    EXPECT_EQ(back.Count(), 2u);
}

TEST(RatingsTable, CellTextsAndEfficiencyModes) {
    EXPECT_EQ(MatchCombinations(0), 5'245'786);
    EXPECT_EQ(MatchCombinations(1), 5'104'008);
    EXPECT_EQ(MatchCombinations(2), 1'678'950);
    EXPECT_EQ(MatchCombinations(3), 229'600);
    EXPECT_EQ(MatchCombinations(4), 12'915);
    EXPECT_EQ(MatchCombinations(5), 252);
    EXPECT_EQ(MatchCombinations(6), 1);

    TRatingsTable t;
    for (int i = 0; i < 100; ++i) t.Add(Checked("сто", i < 50 ? 0 : i < 90 ? 1 : i < 99 ? 2 : 3, i < 99 ? -2 : 8));
    using M = TEfficiencyMode;
    // Expected counts of 100 stakes: round(100 p_i) = 43, 42, 14, 2, 0, 0, 0.
    std::vector<std::string> expected;
    for (int c = 13; c < 20; ++c) expected.push_back(t.CellText(0, c, M::Expected));
    EXPECT_EQ(expected, (std::vector<std::string>{"43", "42", "14", "2", "0", "0", "0"}));
    EXPECT_EQ(t.CellText(0, 1, M::Absolute), "100");
    EXPECT_EQ(t.CellText(0, 2, M::Absolute), "61");  // 40 + 18 + 3
    EXPECT_EQ(t.CellText(0, 3, M::Absolute), "0.610");
    EXPECT_EQ(t.CellText(0, 4, M::Absolute), "-190.00");  // 99 x -2 + 8
    EXPECT_EQ(t.CellText(0, 5, M::Absolute), "-1.90");
    EXPECT_EQ(t.CellText(0, 6, M::Absolute), "50");
    // 50 of 100 against p_0 = 5,245,786 / 12,271,512 = 42.7477%: +7.252%.
    EXPECT_EQ(t.CellText(0, 13, M::Absolute), "7.252%");
    // 1 of 100 with three matches against p_3 = 1.871...%: 53.447% of the expected count.
    EXPECT_EQ(t.CellText(0, 16, M::Relative), "53.447%");
}

TEST(RatingsTable, SortIsStrictOverEveryColumnWithRowsWithoutStakes) {
    // Rows with no stakes (as a file may hold) go last in both directions;
    // a sort that is no strict weak order would fault under the checked
    // standard library, or scramble the rows.
    test::TempDir dir;
    std::vector<TRatingRec> rows;
    std::mt19937 rng(7);
    for (int i = 0; i < 60; ++i) {
        TRatingRec r;
        const std::string c = "строка " + std::to_string(i);
        r.CommentBytes[0] = static_cast<std::uint8_t>(c.size());
        std::copy(c.begin(), c.end(), r.CommentBytes.begin() + 1);
        r.Stakes = i % 4 == 0 ? 0 : rng() % 5 + 1;
        for (std::uint32_t k = 0; k < r.Stakes; ++k) r.ByMatches[rng() % 4] += 1;
        for (int m = 0; m < 7; ++m)
            r.Matches += r.ByMatches[static_cast<std::size_t>(m)] * static_cast<std::uint32_t>(m);
        r.Profit = TMoney::FromRaw(static_cast<std::int64_t>(rng() % 100000) - 50000);
        rows.push_back(r);
    }
    std::string bytes(rows.size() * TRatingRec::kFileSize, '\0');
    for (std::size_t i = 0; i < rows.size(); ++i)
        EncodeRatingRec(rows[i], reinterpret_cast<std::uint8_t*>(bytes.data()) + i * TRatingRec::kFileSize);
    test::WriteBytes(dir / "r.lrt", bytes);
    TRatingsTable t;
    t.Load(dir / "r.lrt");
    for (int column = 0; column < kRatingColumns; ++column)
        for (bool descending : {false, true}) {
            t.Sort(column, descending);
            ASSERT_EQ(t.Count(), rows.size());
            bool zeros = false;
            for (std::size_t i = 0; i < t.Count(); ++i) {
                const bool zero = t.Rows()[i].Stakes == 0;
                EXPECT_TRUE(zero || !zeros) << "a row with stakes after one without, column " << column;
                zeros = zeros || zero;
            }
            if (column == 1) {
                for (std::size_t i = 1; i < 45; ++i) {
                    EXPECT_TRUE(descending ? t.Rows()[i - 1].Stakes >= t.Rows()[i].Stakes
                                           : t.Rows()[i - 1].Stakes <= t.Rows()[i].Stakes);
                }
            }
        }
}

TEST(RatingsTable, CsvTextHasEveryCaptionAndNoEfficiencyValues) {
    TRatingsTable t;
    t.Add(Checked("Он сказал \"да\"", 2, 3.5));
    const std::string csv = t.CsvText();
    // Code page 1251: the caption of column 0 is "Комментарий".
    EXPECT_EQ(csv.substr(0, 14), "\"\xCA\xEE\xEC\xEC\xE5\xED\xF2\xE0\xF0\xE8\xE9\";");
    EXPECT_NE(csv.find(";\"E6\"\r\n"), std::string::npos);
    const std::string row = csv.substr(csv.find("\r\n") + 2);
    EXPECT_EQ(row.substr(row.find("\";")), "\";1;2;2.000;3.50;3.50;0;0;1;0;0;0;0\r\n");
    EXPECT_NE(row.find("\"\"\xE4\xE0\"\"\""), std::string::npos) << "quotes doubled";
}

class RatingToScript : public testing::Test {
  protected:
    void SetUp() override { test::RegisterOver(list_, draws_); }
    TDrawsArray draws_;
    TStatList list_;
};

TEST_F(RatingToScript, AScenarioStakesCommentBecomesItsLineAgain) {
    const auto line =
        RatingToScriptLine("03.012: Мой @ EXCL:5#LAST#NEX + TSD1#EVEN:10#LMV:1#ST:3 + TSD1#NUMS:20#LMV:2#ST:1", list_);
    ASSERT_TRUE(line) << line.Error();
    EXPECT_EQ(*line, "EXCL:5#LAST#NEX|TSD1#EVEN:10#LMV:1#ST:3|TSD1#NUMS:20#LMV:2#ST:1| | | | | |03.012: Мой");
    // Without "@" the whole text is the line; it must hold a filter.
    const auto plain = RatingToScriptLine("FULL#RAND|TSD1#EVEN:10#LMV:1#ST:3", list_);
    ASSERT_TRUE(plain) << plain.Error();
    EXPECT_EQ(*plain, "FULL:0#RAND|TSD1#EVEN:10#LMV:1#ST:3| | | | | | ");
    for (const char* bad : {"Ставка \"вручную\"", "01.001: @ FULL#RAND", "x @ FULL#RAND + TSD1#NOPE:10#LMV:1#ST:3"}) {
        const auto r = RatingToScriptLine(bad, list_);
        EXPECT_FALSE(r) << bad;
        EXPECT_EQ(r.Error(), std::string("Строку\r\r") + bad + "\r\rневозможно добавить в сценарий!");
    }
}

}  // namespace
}  // namespace corvel
