// The current list with its undo copy, excluding drawn combinations, deleting
// rows, counting numbers and finding a combination in the archive.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "CombsTestSupport.h"
#include "FakeUiHooks.h"
#include "app/CombsCommands.h"
#include "TestSupport.h"
#include "combs/CombsEdit.h"
#include "i18n/Texts.h"
#include "model/Format.h"

namespace corvel {
namespace {

std::uint64_t PackSorted(TCombination c) {
    std::sort(c.begin(), c.end());
    std::uint64_t key = 0;
    for (std::uint8_t v : c) key = key << 8 | v;
    return key;
}

TEST(SortedCombinationKey, SortsEveryZeroOneInput) {
    // A comparator network that sorts every 0/1 input sorts every input.
    for (int bits = 0; bits < 64; ++bits) {
        TCombination c{};
        for (int i = 0; i < 6; ++i) c[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((bits >> i) & 1);
        EXPECT_EQ(SortedCombinationKey(c), PackSorted(c)) << bits;
    }
}

TEST(SortedCombinationKey, EqualExactlyForTheSameNumbersInAnyOrder) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int n = 0; n < 2000; ++n) {
        TCombination c{};
        for (auto& v : c) v = static_cast<std::uint8_t>(byte(random));
        TCombination shuffled = c;
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        ASSERT_EQ(SortedCombinationKey(c), PackSorted(c));
        ASSERT_EQ(SortedCombinationKey(shuffled), SortedCombinationKey(c));
    }
    // A repeated number is not the same set as six different ones.
    EXPECT_NE(SortedCombinationKey({1, 1, 2, 3, 4, 5}), SortedCombinationKey({1, 2, 3, 4, 5, 6}));
}

// --- Undo ---------------------------------------------------------------------------

TEST(CombsList, UndoReturnsToTheSavedListOnce) {
    TCombsList combs(10);
    test::Fill(combs.Current(), test::Sentinel());
    EXPECT_FALSE(combs.CanUndo());
    test::FakeUiHooks hooks;
    combs.SaveUndo(hooks);
    EXPECT_EQ(hooks.Statuses, (std::vector<std::string>{texts::kCombsSavingUndo.Str(), ""}));
    EXPECT_TRUE(combs.CanUndo());

    test::Fill(combs.Current(), {{1, 2, 3, 4, 5, 6}});
    combs.Undo(hooks);
    EXPECT_EQ(test::ItemsOf(combs.Current()), test::Sentinel());
    EXPECT_FALSE(combs.CanUndo());
    EXPECT_EQ(hooks.Statuses[2], texts::kCombsUndoing);
    EXPECT_EQ(hooks.Busy, 0);
}

// --- Excluding the last draws ---------------------------------------------------

// Twenty draws numbered 101..120; draw i holds 2i+1 .. 2i+6, drawn in a
// shuffled order.
TDrawsArray TwentyDraws() {
    TDrawsArray draws;
    for (int i = 0; i < 20; ++i) {
        const auto b = static_cast<std::uint8_t>(2 * i);
        draws.push_back(test::MakeDraw(
            101 + i,
            {static_cast<std::uint8_t>(b + 4), static_cast<std::uint8_t>(b + 1), static_cast<std::uint8_t>(b + 6),
             static_cast<std::uint8_t>(b + 2), static_cast<std::uint8_t>(b + 5), static_cast<std::uint8_t>(b + 3)},
            {1, 2}, "01.02.2024"));
    }
    return draws;
}

// Each draw's numbers in another order, with other combinations between them.
std::vector<TCombination> ListAroundDraws(const TDrawsArray& draws) {
    std::vector<TCombination> list;
    for (const TDrawRec& d : draws) {
        TCombination reversed = d.Numbers;
        std::reverse(reversed.begin(), reversed.end());
        list.push_back(reversed);
        list.push_back({d.Numbers[0], d.Numbers[1], d.Numbers[2], d.Numbers[3], d.Numbers[4], 200});
    }
    return list;
}

struct ExcludeCase {
    const char* Name;
    int Draws;
    int Offset;
    int First;  // archive indices of the draws that must go; First > Last: none
    int Last;
};

void PrintTo(const ExcludeCase& c, std::ostream* os) { *os << c.Name; }

class CombsExcludeLastDraws : public ::testing::TestWithParam<ExcludeCase> {};

TEST_P(CombsExcludeLastDraws, RemovesTheDrawsOfTheWindowKeepingTheOrder) {
    const ExcludeCase& c = GetParam();
    const TDrawsArray draws = TwentyDraws();
    const std::vector<TCombination> before = ListAroundDraws(draws);
    TCombsList combs(100);
    test::Fill(combs.Current(), before);
    test::FakeUiHooks hooks;

    const std::size_t removed = combs.ExcludeLastDraws(draws, c.Offset, c.Draws, hooks);

    std::vector<TCombination> expected;
    for (std::size_t i = 0; i < before.size(); ++i) {
        const int drawIndex = static_cast<int>(i / 2);
        const bool isDraw = i % 2 == 0;
        if (isDraw && drawIndex >= c.First && drawIndex <= c.Last) continue;
        expected.push_back(before[i]);
    }
    EXPECT_EQ(test::ItemsOf(combs.Current()), expected);
    EXPECT_EQ(removed, before.size() - expected.size());
    EXPECT_EQ(test::ItemsOf(combs.UndoCopy()), before);

    combs.Undo();
    EXPECT_EQ(test::ItemsOf(combs.Current()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, CombsExcludeLastDraws,
    ::testing::Values(ExcludeCase{"TenEndingFiveBeforeTheNewest", 10, 5, 5, 14},
                      ExcludeCase{"ThreeNewest", 3, 0, 17, 19}, ExcludeCase{"MoreThanTheArchive", 50, 0, 0, 19},
                      ExcludeCase{"WindowReachesTheOldest", 10, 15, 0, 4},
                      ExcludeCase{"OffsetOnTheOldest", 10, 19, 0, 0}, ExcludeCase{"NoDraws", 0, 0, 1, 0},
                      ExcludeCase{"NegativeCount", -3, 0, 1, 0}, ExcludeCase{"OffsetPastTheArchive", 5, 20, 1, 0}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(CombsExcludeLastDraws, ComparesSetsOfNumbersNotCountsOfEqualPairs) {
    TDrawsArray draws{test::MakeDraw(1, {3, 1, 2, 6, 5, 4})};
    TCombsList combs(10);
    // {1,1,2,3,4,5} has six equal pairs with the draw but is another set.
    test::Fill(combs.Current(), {{1, 1, 2, 3, 4, 5}, {6, 5, 4, 3, 2, 1}, {1, 2, 3, 4, 5, 255}, {0, 1, 2, 3, 4, 5}});
    test::FakeUiHooks hooks;
    EXPECT_EQ(combs.ExcludeLastDraws(draws, 0, 1, hooks), 1U);
    EXPECT_EQ(test::ItemsOf(combs.Current()),
              (std::vector<TCombination>{{1, 1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 255}, {0, 1, 2, 3, 4, 5}}));
}

TEST(CombsExcludeLastDraws, ReportsAtMostOncePerPercentWithTheDrawCount) {
    const TDrawsArray draws = TwentyDraws();
    TCombsList combs(1000);
    std::vector<TCombination> many(1000, TCombination{40, 41, 42, 43, 44, 45});
    test::Fill(combs.Current(), many);
    test::FakeUiHooks hooks;
    combs.ExcludeLastDraws(draws, 0, 10, hooks);

    ASSERT_GE(hooks.Statuses.size(), 2U);
    EXPECT_EQ(hooks.Statuses.front(), "Удаление из списка комбинаций 10 последних тиражей...");
    EXPECT_EQ(hooks.Statuses.back(), "");
    const std::string progress = "Удаление из списка комбинаций 10 последних тиражей ( завершено ";
    std::vector<std::string> texts;
    for (const std::string& s : hooks.Statuses)
        if (s.rfind(progress, 0) == 0) texts.push_back(s);
    EXPECT_EQ(texts.size(), 99U);
    EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(), texts.size());
    EXPECT_NE(std::find(texts.begin(), texts.end(), progress + "50 % )..."), texts.end());
    EXPECT_EQ(hooks.Busy, 0);
    EXPECT_EQ(combs.Current().Count(), 1000U);
}

// --- Deleting rows ------------------------------------------------------------------

TEST(CombsDeleteRows, RemovesTheGivenRowsOnceKeepingTheOrder) {
    std::vector<TCombination> before;
    for (std::uint8_t i = 0; i < 10; ++i) before.push_back({i, 1, 2, 3, 4, 5});
    TCombsList combs(10);
    test::Fill(combs.Current(), before);
    test::FakeUiHooks hooks;
    const std::vector<std::size_t> rows{7, 2, 2, 100, 0, 9};
    EXPECT_EQ(combs.DeleteRows(rows, hooks), 4U);
    EXPECT_EQ(test::ItemsOf(combs.Current()),
              (std::vector<TCombination>{before[1], before[3], before[4], before[5], before[6], before[8]}));
    EXPECT_EQ(hooks.Statuses, (std::vector<std::string>{texts::kCombsDeletingSelected.Str(), ""}));
    combs.Undo();
    EXPECT_EQ(test::ItemsOf(combs.Current()), before);

    EXPECT_EQ(combs.DeleteRows({}, hooks), 0U);
    EXPECT_EQ(test::ItemsOf(combs.Current()), before);
}

// --- Unique numbers -----------------------------------------------------------------

struct UniqueCase {
    const char* Name;
    std::vector<TCombination> List;
    int Expected;
};

void PrintTo(const UniqueCase& c, std::ostream* os) { *os << c.Name; }

class CombsUniqueNumbers : public ::testing::TestWithParam<UniqueCase> {};

TEST_P(CombsUniqueNumbers, CountsTheGameNumbersThatOccur) {
    const UniqueCase& c = GetParam();
    TCombsArray list(20);
    test::Fill(list, c.List);
    EXPECT_EQ(corvel::CountUniqueNumbers(list), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Lists, CombsUniqueNumbers,
                         ::testing::Values(UniqueCase{"Empty", {}, 0},
                                           UniqueCase{"OneCombination", {{1, 2, 3, 4, 5, 48}}, 6},
                                           UniqueCase{"Overlapping", {{1, 2, 3, 4, 5, 6}, {4, 5, 6, 7, 8, 9}}, 9},
                                           UniqueCase{"RepeatedNumber", {{7, 7, 7, 7, 7, 7}}, 1},
                                           UniqueCase{"ValuesOutsideTheGameIgnored", {{0, 49, 99, 255, 1, 48}}, 2},
                                           UniqueCase{"EveryNumber",
                                                      {{1, 2, 3, 4, 5, 6},
                                                       {7, 8, 9, 10, 11, 12},
                                                       {13, 14, 15, 16, 17, 18},
                                                       {19, 20, 21, 22, 23, 24},
                                                       {25, 26, 27, 28, 29, 30},
                                                       {31, 32, 33, 34, 35, 36},
                                                       {37, 38, 39, 40, 41, 42},
                                                       {43, 44, 45, 46, 47, 48},
                                                       {200, 201, 202, 203, 204, 205}},
                                                      48}),
                         [](const auto& row) { return std::string(row.param.Name); });

// --- Finding a combination in the archive ---------------------------------------------

TEST(FindCombinationInArchive, FindsDrawsOfTheSameNumbersInAnotherOrderNewestFirst) {
    TDrawsArray draws{test::MakeDraw(104, {17, 5, 3, 44, 21, 9}, {2, 7}, "05.12.2025"),
                      test::MakeDraw(105, {1, 2, 3, 4, 5, 6}, {1, 2}, "08.12.2025"),
                      test::MakeDraw(106, {9, 21, 44, 3, 5, 17}, {11, 40}, "12.12.2025")};
    const TCombination c{3, 5, 9, 17, 21, 44};
    EXPECT_EQ(FindCombinationInArchive(c, draws), (std::vector<int>{2, 0}));
    EXPECT_EQ(CombinationInArchiveText(c, draws),
              "Выделенная комбинация найдена в следующих тиражах:\r\r"
              "Тираж № 106 от 12.12.2025, значения: 9;21;44;3;5;17 e:11;40\r"
              "Тираж № 104 от 05.12.2025, значения: 17;5;3;44;21;9 e:2;7");
    EXPECT_EQ(CombinationInArchiveText({3, 5, 9, 17, 21, 45}, draws),
              "Выделенная комбинация не найдена архиве тиражей!");
    EXPECT_EQ(CombinationInArchiveText(c, {}), texts::kCombsNotFoundInDraws);
}

TEST(FindCombinationInArchive, ListsAtMostTwentySixNewestDraws) {
    TDrawsArray draws;
    for (int i = 0; i < 30; ++i) draws.push_back(test::MakeDraw(1 + i, {6, 5, 4, 3, 2, 1}));
    const std::vector<int> found = FindCombinationInArchive({1, 2, 3, 4, 5, 6}, draws);
    ASSERT_EQ(found.size(), 26U);
    EXPECT_EQ(found.front(), 29);
    EXPECT_EQ(found.back(), 4);
}

TEST(ShowCombinationInArchive, SearchesWithTheStatusThenInforms) {
    TDrawsArray draws{test::MakeDraw(7, {1, 2, 3, 4, 5, 6}, {1, 2}, "01.01.2020")};
    test::FakeUiHooks hooks;
    ShowCombinationInArchive({6, 5, 4, 3, 2, 1}, draws, hooks);
    EXPECT_EQ(hooks.Statuses, (std::vector<std::string>{texts::kCombsSearchingArchive.Str(), ""}));
    ASSERT_EQ(hooks.Infos.size(), 1U);
    EXPECT_EQ(hooks.Infos[0], CombinationInArchiveText({1, 2, 3, 4, 5, 6}, draws));
    EXPECT_EQ(hooks.Busy, 0);
}

}  // namespace
}  // namespace corvel
