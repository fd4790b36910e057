// The registry: order, texts, favourites and the user's captions file.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/Cp1251.h"
#include "model/Errors.h"
#include "stats/CustomStat.h"
#include "model/IniFile.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

class Registry : public ::testing::Test {
  protected:
    void SetUp() override { test::RegisterOver(list_, draws_); }
    int Index(const char* code) const { return list_.FindMethod(code); }
    TDrawsArray draws_;
    TStatList list_;
};

// The order, codes and texts of all entries are held by the golden listing of
// `corvel methods` (MethodsGoldenTest).
TEST_F(Registry, FindsCodesIgnoringCase) {
    ASSERT_GE(Index("pos3"), 0);
    EXPECT_EQ(list_.Item(Index("pos3")).Code(), "POS3");
    EXPECT_EQ(list_.Item(Index(" Pos3 ")).Param, 3);
    EXPECT_EQ(Index("POS7"), -1);
}

TEST_F(Registry, MethodTextsCarryGroupAndFlags) {
    EXPECT_EQ(list_.GetMethodText(Index("NUMS"), true), "{ num } Числа тиража [ N ]");
    EXPECT_EQ(list_.GetMethodText(Index("POS1"), true), "{ num } Число в 1 позиции тиража [ SNG ]");
    EXPECT_EQ(list_.GetMethodText(Index("POS1"), false), "{ num } Число в 1 позиции тиража");
    EXPECT_EQ(list_.GetMethodText(Index("POE2"), true), "{ num } Extra (Bonus, Star...) - число (!без фильтра!) [ G ]");
    list_.ShowGroupName = false;
    list_.ShowMethodFlags = false;
    EXPECT_EQ(list_.GetMethodText(Index("EVEN"), true), "Количество четных чисел в тираже (Ч:Н)");
    list_.Item(Index("EVEN")).UserCaption = "Чётные";
    EXPECT_EQ(list_.GetMethodText(Index("EVEN"), true), "Чётные");
    EXPECT_EQ(GroupHeading(0), "{ num } Числа тиража");
    EXPECT_EQ(GroupHeading(12), "{ shr } Методы шинковки");
    EXPECT_EQ(GroupHeading(13), "#ERROR#");
}

TEST_F(Registry, FavouritesText) {
    EXPECT_EQ(list_.GetFavoritesText(), "");
    list_.SetFavoritesText(" nums , Pos3");
    EXPECT_FALSE(list_.AllFavorites);
    EXPECT_EQ(list_.GetFavoritesText(), "NUMS,POS3");
    EXPECT_TRUE(list_.IsVisible(Index("POS3")));
    EXPECT_FALSE(list_.IsVisible(Index("EVEN")));
    list_.NormalizeFavorites();  // some on, some off: stays a selection
    EXPECT_FALSE(list_.AllFavorites);

    list_.SetFavoritesText("NOSUCH");  // names nothing: every entry off ...
    for (int i = 0; i < list_.Count(); ++i) EXPECT_FALSE(list_.Item(i).Favorite);
    list_.NormalizeFavorites();  // ... which turns all of them on again
    EXPECT_TRUE(list_.AllFavorites);
    for (int i = 0; i < list_.Count(); ++i) EXPECT_TRUE(list_.Item(i).Favorite);

    list_.SetFavoritesText("   ");
    EXPECT_TRUE(list_.AllFavorites);
}

TEST_F(Registry, CaptionsFileRoundTripKeepsForeignSections) {
    test::TempDir dir;
    const auto file = dir / "corvel-lotto.flt";
    test::WriteBytes(file, Utf8ToCp1251("[OTHER]\r\nKeep=да\r\n[STRINGS_RUS]\r\nOLD=старое\r\n"));

    list_.Item(Index("NUMS")).UserCaption = "Мои числа";
    list_.SetFavoritesText("NUMS,EVEN");
    list_.Ordered = true;
    list_.SaveNames(file, true, false);

    const IniFile saved = IniFile::Load(file);
    EXPECT_EQ(saved.ReadString("OTHER", "Keep", ""), "да");
    EXPECT_FALSE(saved.HasKey("STRINGS_RUS", "OLD"));  // the language section is written anew
    EXPECT_EQ(saved.ReadString("STRINGS_RUS", "NUMS", ""), "Мои числа");
    EXPECT_FALSE(saved.HasKey("STRINGS_RUS", "EVEN"));
    EXPECT_EQ(saved.ReadString("FILTERS", "Favorites", ""), "NUMS,EVEN");
    EXPECT_NE(test::ReadBytes(file).find(Utf8ToCp1251("Мои числа")), std::string::npos);

    TStatList fresh;
    test::RegisterOver(fresh, draws_);
    fresh.LoadNames(file, true);
    EXPECT_EQ(fresh.GetMethodCaption(fresh.FindMethod("NUMS")), "Мои числа");
    EXPECT_EQ(fresh.GetFavoritesText(), "NUMS,EVEN");
    EXPECT_TRUE(fresh.Ordered);

    // All captions: standard ones are written too.
    list_.SaveNames(file, false, true);
    EXPECT_EQ(IniFile::Load(file).ReadString("STRINGS_RUS", "POS2", ""), "Число в 2 позиции тиража");
}

TEST_F(Registry, BlankUserCaptionMeansStandardCaption) {
    test::TempDir dir;
    const auto file = dir / "corvel-lotto.flt";
    test::WriteBytes(file, "[STRINGS_RUS]\r\nEVEN=    \r\n");
    list_.LoadNames(file, true);
    EXPECT_EQ(list_.Item(Index("EVEN")).UserCaption, "");
    EXPECT_EQ(list_.GetMethodCaption(Index("EVEN")), "Количество четных чисел в тираже (Ч:Н)");
    EXPECT_TRUE(list_.AllFavorites);  // no FILTERS section: the defaults stay
}

TEST_F(Registry, MissingCaptionsFileKeepsDefaults) {
    test::TempDir dir;
    list_.LoadNames(dir / "absent.flt", true);
    EXPECT_TRUE(list_.AllFavorites);
    EXPECT_EQ(list_.GetMethodCaption(Index("NUMS")), "Числа тиража");
}

TEST_F(Registry, HelpTopicNeedsAnExistingHelpFile) {
    test::TempDir dir;
    const TStatClass& pos = *list_.Item(Index("POS2")).StatClass;
    EXPECT_EQ(pos.HelpTopic(2, ""), "");
    EXPECT_EQ(pos.HelpTopic(2, (dir / "missing.chm").string()), "");
    const auto help = dir / "help.chm";
    test::WriteBytes(help, "x");
    EXPECT_EQ(pos.HelpTopic(2, help.string()), "ms-its:" + help.string() + "::/Filters_1049_POSx.htm");
}

}  // namespace
}  // namespace corvel

namespace corvel {
namespace {

TEST(RegistrySelection, NothingSelectedIsAnError) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    EXPECT_EQ(list.StatFromSelection(2, "cbStat")->GetCode(), "EVEN");
    try {
        list.StatFromSelection(-1, "cbStat");
        FAIL() << "no error";
    } catch (const ECorvelError& e) {
        EXPECT_STREQ(e.what(), "Не выбран метод расчета статистики (cb: cbStat)!");
    }
}

}  // namespace
}  // namespace corvel
