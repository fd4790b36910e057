// The regular table stakes in the workspace: adding from the dialog's draft,
// a file that cannot be read kept as it is, a stake made from a regular, and
// a test over the last draws with the stakes and ratings rows it produces.
#include <gtest/gtest.h>

#include "FakeUiHooks.h"
#include "TestSupport.h"
#include "app/Workspace.h"
#include "model/DrawArchive.h"
#include "ratings/RatingsTable.h"

namespace corvel {
namespace {

class TablesServiceTest : public testing::Test {
  protected:
    // Five draws, numbered 11..15, numbers in drawing order.
    void SetUp() override {
        WriteArchiveFile(dir_ / "CorvelLotto_6x48.ldr",
                         {test::MakeDraw(11, {1, 2, 3, 4, 5, 6}), test::MakeDraw(12, {42, 20, 30, 40, 41, 10}),
                          test::MakeDraw(13, {5, 6, 7, 8, 9, 10}), test::MakeDraw(14, {2, 4, 6, 8, 10, 12}),
                          test::MakeDraw(15, {44, 45, 46, 47, 48, 1})});
        ws_.OpenSettingsAndRegistry();
        ASSERT_TRUE(ws_.Archive().Load());
    }
    app::TTableDraft Draft(std::string comment, bool lastDraw, std::string start, int step) {
        return {std::move(comment), lastDraw, std::move(start), step};
    }
    test::TempDir dir_;
    test::FakeUiHooks hooks_;
    app::Workspace ws_{app::DataFiles{dir_.path()}, hooks_, 16};
};

TEST_F(TablesServiceTest, AddsOneRegularPerSelectedCombinationWithItsListPosition) {
    app::TablesService& tables = ws_.Tables();
    ASSERT_TRUE(tables.Load());
    const std::vector<app::TSelectedComb> three{
        {2, {9, 3, 1, 2, 4, 5}}, {5, {10, 11, 12, 13, 14, 15}}, {9, {43, 44, 45, 46, 47, 48}}};
    ASSERT_TRUE(tables.Add(Draft("Тройка", false, "", -2), three));
    ASSERT_EQ(tables.Rows().size(), 3u);
    EXPECT_EQ(tables.Rows()[0].Comment(), "Тройка (2)");
    EXPECT_EQ(tables.Rows()[1].Comment(), "Тройка (5)");
    EXPECT_EQ(tables.Rows()[2].Comment(), "Тройка (9)");
    EXPECT_EQ(tables.Rows()[0].Start, (TCombination{1, 2, 3, 4, 5, 9}));
    EXPECT_EQ(tables.Rows()[0].Current, tables.Rows()[0].Start);
    EXPECT_EQ(tables.Rows()[2].Step, -2);
    EXPECT_EQ(tables.Rows()[2].Made, 0);

    // One selected combination: the typed start counts, ascending.
    const std::vector<app::TSelectedComb> one{{1, {1, 2, 3, 4, 5, 6}}};
    ASSERT_TRUE(tables.Add(Draft("Своя", false, "30, 7;12,1;48;2", 5), one));
    EXPECT_EQ(tables.Rows()[3].Start, (TCombination{1, 2, 7, 12, 30, 48}));
    // Nothing selected with a fixed start adds nothing.
    ASSERT_TRUE(tables.Add(Draft("Пусто", false, "", 1), {}));
    EXPECT_EQ(tables.Rows().size(), 4u);
    EXPECT_TRUE(hooks_.Errors.empty());

    // The file holds them in list order.
    EXPECT_EQ(ReadTablesFile(dir_ / "CorvelLotto_6x48.ltb"), tables.Rows());
}

TEST_F(TablesServiceTest, TheDialogsChecksRefuseWithTheirTexts) {
    app::TablesService& tables = ws_.Tables();
    ASSERT_TRUE(tables.Load());
    ASSERT_TRUE(tables.Add(Draft("Есть", true, "", 0), {}));
    struct Case {
        app::TTableDraft Draft;
        std::size_t Selected;
        std::optional<std::string> Refusal;
    };
    const Case cases[] = {
        {Draft("Новая", false, "1;2;3;4;5", 1), 1, "Введена некорректная комбинация!"},
        {Draft("Новая", false, "1;2;3;4;5;5", 1), 1, "Введена некорректная комбинация!"},
        {Draft("Новая", false, "1;2;3;4;5;49", 1), 1, "Введена некорректная комбинация!"},
        // The start field is not read when it is not in use.
        {Draft("Новая", true, "мусор", 1), 1, std::nullopt},
        {Draft("Новая", false, "мусор", 1), 3, std::nullopt},
        {Draft("  ", true, "", 1), 0, "Необходимо ввести комментарий!"},
        {Draft(std::string(65, 'x'), true, "", 1), 0, "Комментарий к ставке длиннее 64 символов!"},
        {Draft("ЕСТЬ", true, "", 1), 0,
         "Запись с таким комментарией уже присутствует в списке!\rВыберите другой комментарий."},
        {Draft("Новая", true, "", 49), 0, "Шаг должен быть от -48 до 48!"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(test::RefusalOf(tables.Check(c.Draft, c.Selected)), c.Refusal) << c.Draft.Comment;

    // A numbered comment that meets an existing one is refused as well.
    ASSERT_TRUE(tables.Add(Draft("Ряд (3)", true, "", 1), {}));
    const std::vector<app::TSelectedComb> two{{1, {1, 2, 3, 4, 5, 6}}, {3, {7, 8, 9, 10, 11, 12}}};
    EXPECT_FALSE(tables.Add(Draft("Ряд", false, "", 1), two));
    ASSERT_EQ(hooks_.Errors.size(), 1u);
    EXPECT_EQ(tables.Rows().size(), 2u);
}

TEST_F(TablesServiceTest, AFileThatCannotBeReadIsRefusedAndKept) {
    const std::string shortFile(300, '\0');  // one record and 20 bytes
    test::WriteBytes(dir_ / "CorvelLotto_6x48.ltb", shortFile);
    app::TablesService& tables = ws_.Tables();
    EXPECT_FALSE(tables.Load());
    EXPECT_TRUE(tables.Rows().empty());
    ASSERT_EQ(hooks_.Errors.size(), 1u);
    EXPECT_EQ(hooks_.Errors[0],
              "Ошибка чтения файла регулярных ставок!\r\r"
              "Размер файла регулярных ставок (300 байт) не кратен размеру записи (280 байт)");
    EXPECT_FALSE(tables.Add(Draft("Новая", true, "", 1), {}));
    EXPECT_FALSE(tables.Save());
    EXPECT_EQ(hooks_.Errors.size(), 3u);
    EXPECT_TRUE(test::ReadBytes(dir_ / "CorvelLotto_6x48.ltb") == shortFile);
}

TEST_F(TablesServiceTest, DeletesTheRowsGivenAndRefusesARowOutsideTheList) {
    app::TablesService& tables = ws_.Tables();
    ASSERT_TRUE(tables.Load());
    for (const char* name : {"А", "Б", "В", "Г"}) ASSERT_TRUE(tables.Add(Draft(name, true, "", 1), {}));
    EXPECT_FALSE(tables.Delete({1, 4}));
    ASSERT_EQ(hooks_.Errors.size(), 1u);
    EXPECT_EQ(hooks_.Errors[0], "Запись со индексом 4 в файле данных не найдена!");
    ASSERT_TRUE(tables.Delete({2, 0}));
    ASSERT_EQ(tables.Rows().size(), 2u);
    EXPECT_EQ(tables.Rows()[0].Comment(), "Б");
    EXPECT_EQ(tables.Rows()[1].Comment(), "Г");
    EXPECT_EQ(ReadTablesFile(dir_ / "CorvelLotto_6x48.ltb").size(), 2u);
}

TEST_F(TablesServiceTest, AStakeAdvancesTheRegularOnlyOnceItIsAdded) {
    ASSERT_TRUE(ws_.Stakes().Open());
    app::TablesService& tables = ws_.Tables();
    ASSERT_TRUE(tables.Load());
    ASSERT_TRUE(tables.Add(Draft("Сдвиг", false, "43;44;45;46;47;48", 1), std::vector<app::TSelectedComb>{{1, {}}}));
    ws_.Archive().SetOffset(1);

    // Looking at the next stake changes nothing.
    const auto made = tables.NextStake(0);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->Stake.Kind, TStakeKind::Regular);
    EXPECT_EQ(made->Stake.Draw, 15);  // one draw hidden: the next one is 15
    EXPECT_EQ(made->Stake.Comment(), "Сдвиг");
    EXPECT_EQ(made->Stake.Stake.Count, 6);
    EXPECT_EQ((TCombination{made->Stake.Stake.Values[0], made->Stake.Stake.Values[1], made->Stake.Stake.Values[2],
                            made->Stake.Stake.Values[3], made->Stake.Stake.Values[4], made->Stake.Stake.Values[5]}),
              (TCombination{1, 44, 45, 46, 47, 48}));
    EXPECT_EQ(tables.Rows()[0].Made, 0);
    EXPECT_EQ(ws_.Stakes().File().Count(), 0);

    // Added for two draws: draw 15, a separator, draw 16 (the file was
    // empty); the first is checked at once, and the regular moved on.
    ASSERT_TRUE(tables.AddStake(*made, made->Stake, 2));
    ASSERT_EQ(ws_.Stakes().File().Count(), 3);
    const TStakeRec first = ws_.Stakes().File().Read(0);
    EXPECT_EQ(first.Draw, 15);
    EXPECT_TRUE(first.Checked);
    EXPECT_EQ(first.Hits.Count, 6);  // 44 45 46 47 48 1 is draw 15
    EXPECT_EQ(ws_.Stakes().File().Read(2).Draw, 16);
    EXPECT_FALSE(ws_.Stakes().File().Read(2).Checked);
    EXPECT_EQ(tables.Rows()[0].Current, (TCombination{1, 44, 45, 46, 47, 48}));
    EXPECT_EQ(tables.Rows()[0].Made, 1);
    EXPECT_EQ(ReadTablesFile(dir_ / "CorvelLotto_6x48.ltb")[0].Made, 1);

    ASSERT_TRUE(tables.MakeStake(0, 1));
    EXPECT_EQ(tables.Rows()[0].Current, (TCombination{1, 2, 45, 46, 47, 48}));
    EXPECT_EQ(ws_.Stakes().File().Read(3).Draw, 15);
    EXPECT_TRUE(hooks_.Errors.empty());
}

TEST_F(TablesServiceTest, ARegularWithNothingToStartFromMakesNoStake) {
    // A regular of the file with no start and not from the last draw.
    TTableRec noStart;
    noStart.SetComment("Без старта");
    noStart.Step = 1;
    const std::vector<TTableRec> file{noStart};
    WriteTablesFile(dir_ / "CorvelLotto_6x48.ltb", file);
    ASSERT_TRUE(ws_.Stakes().Open());
    app::TablesService& tables = ws_.Tables();
    ASSERT_TRUE(tables.Load());
    EXPECT_FALSE(tables.MakeStake(0, 1));
    ASSERT_EQ(hooks_.Errors.size(), 1u);
    EXPECT_NE(hooks_.Errors[0].find("У регулярной ставки \"Без старта\" нет стартовой комбинации."), std::string::npos);
    EXPECT_FALSE(tables.Test({0}, 1));
    EXPECT_EQ(ws_.Stakes().File().Count(), 0);
    EXPECT_EQ(ReadTablesFile(dir_ / "CorvelLotto_6x48.ltb"), file);
}

TEST_F(TablesServiceTest, TestOverThreeDrawsStakesEachAsIfItWereNext) {
    ASSERT_TRUE(ws_.Stakes().Open());
    app::TablesService& tables = ws_.Tables();
    ASSERT_TRUE(tables.Load());
    ASSERT_TRUE(tables.Add(Draft("Плюс один", false, "1;2;3;4;5;6", 1), std::vector<app::TSelectedComb>{{1, {}}}));
    ASSERT_TRUE(tables.Add(Draft("Прошлый тираж", true, "", 0), {}));
    ASSERT_TRUE(tables.Add(Draft("Не в тесте", true, "", 3), {}));
    ws_.Archive().SetOffset(2);

    ASSERT_TRUE(tables.Test({1, 0}, 3));
    EXPECT_EQ(ws_.Archive().Offset(), 2);
    EXPECT_TRUE(hooks_.Errors.empty());

    // Offsets 3, 2, 1 stake draws 13, 14, 15; "Плюс один" moves from 1..6,
    // "Прошлый тираж" takes the draw before, and each is checked against
    // its draw: 13 = 5 6 7 8 9 10, 14 = 2 4 6 8 10 12, 15 = 44..48 1.
    struct Expected {
        int Draw;
        TCombination Numbers;
        int Hits;
        const char* Comment;
    };
    const Expected expected[] = {
        {13, {2, 3, 4, 5, 6, 7}, 3, "Плюс один"}, {13, {10, 20, 30, 40, 41, 42}, 1, "Прошлый тираж"},
        {14, {3, 4, 5, 6, 7, 8}, 3, "Плюс один"}, {14, {5, 6, 7, 8, 9, 10}, 3, "Прошлый тираж"},
        {15, {4, 5, 6, 7, 8, 9}, 0, "Плюс один"}, {15, {2, 4, 6, 8, 10, 12}, 0, "Прошлый тираж"},
    };
    ASSERT_EQ(ws_.Stakes().File().Count(), 6);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TStakeRec rec = ws_.Stakes().File().Read(static_cast<std::int64_t>(i));
        const Expected& e = expected[i];
        EXPECT_EQ(rec.Kind, TStakeKind::Regular) << i;
        EXPECT_EQ(rec.Draw, e.Draw) << i;
        EXPECT_EQ(rec.Comment(), e.Comment) << i;
        for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(rec.Stake.Values[k], e.Numbers[k]) << i;
        EXPECT_TRUE(rec.Checked) << i;
        EXPECT_EQ(rec.Hits.Count, e.Hits) << i;
    }

    // The regulars moved three steps and were saved; the one left out did not.
    const std::vector<TTableRec> saved = ReadTablesFile(dir_ / "CorvelLotto_6x48.ltb");
    EXPECT_EQ(saved[0].Current, (TCombination{4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(saved[0].Made, 3);
    EXPECT_EQ(saved[1].Current, (TCombination{2, 4, 6, 8, 10, 12}));
    EXPECT_EQ(saved[1].Made, 3);
    EXPECT_EQ(saved[2].Made, 0);

    // The ratings: 3 + 3 + 0 and 1 + 3 + 0 matches over three stakes each.
    TRatingsTable ratings;
    ratings.Load(dir_ / "CorvelLotto_6x48.lrt");
    ASSERT_EQ(ratings.Count(), 2u);
    const TRatingRec& plus = ratings.Rows()[0];
    EXPECT_EQ(plus.Comment(), "Плюс один");
    EXPECT_EQ(plus.Stakes, 3u);
    EXPECT_EQ(plus.Matches, 6u);
    EXPECT_EQ(plus.ByMatches[0], 1u);
    EXPECT_EQ(plus.ByMatches[3], 2u);
    const TRatingRec& last = ratings.Rows()[1];
    EXPECT_EQ(last.Comment(), "Прошлый тираж");
    EXPECT_EQ(last.Stakes, 3u);
    EXPECT_EQ(last.Matches, 4u);
    EXPECT_EQ(last.ByMatches[0], 1u);
    EXPECT_EQ(last.ByMatches[1], 1u);
    EXPECT_EQ(last.ByMatches[3], 1u);
}

TEST_F(TablesServiceTest, ATestThatCannotStakeChangesNoRegular) {
    app::TablesService& tables = ws_.Tables();
    ASSERT_TRUE(tables.Load());
    ASSERT_TRUE(tables.Add(Draft("Прошлый тираж", true, "", 0), {}));
    // The count must leave a draw before the first one staked.
    EXPECT_FALSE(tables.Test({0}, 5));
    ASSERT_EQ(hooks_.Errors.size(), 1u);
    EXPECT_EQ(hooks_.Errors[0], "Количество тестов должно быть от 1 до 4 (на единицу меньше числа тиражей в архиве).");
    // The stakes file is not open: the first append fails.
    EXPECT_FALSE(tables.Test({0}, 2));
    EXPECT_EQ(hooks_.Errors.size(), 2u);
    EXPECT_EQ(tables.Rows()[0].Made, 0);
    EXPECT_EQ(ReadTablesFile(dir_ / "CorvelLotto_6x48.ltb")[0].Made, 0);
    // A stop asked for before the first offset: nothing staked either.
    ASSERT_TRUE(ws_.Stakes().Open());
    hooks_.Stop = true;
    EXPECT_FALSE(tables.Test({0}, 2));
    EXPECT_EQ(ws_.Stakes().File().Count(), 0);
    EXPECT_EQ(tables.Rows()[0].Made, 0);
}

}  // namespace
}  // namespace corvel
