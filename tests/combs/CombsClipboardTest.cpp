// Combinations as clipboard text: copying rows and pasting lines.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "CombsTestSupport.h"
#include "FakeUiHooks.h"
#include "app/CombsCommands.h"
#include "combs/CombsClipboard.h"
#include "combs/CombsEdit.h"
#include "i18n/Texts.h"
#include "model/Format.h"

namespace corvel {
namespace {

TEST(CombsClipboardText, TwoDigitNumbersOneLinePerRowInTheOrderGiven) {
    TCombsArray list(10);
    test::Fill(list, {{1, 5, 17, 23, 33, 48}, {0, 9, 10, 99, 100, 255}, {2, 3, 4, 5, 6, 7}});
    const std::vector<std::size_t> rows{2, 0, 99, 1};  // 99 is past the end
    EXPECT_EQ(CombsClipboardText(list, rows), "02 03 04 05 06 07\r\n01 05 17 23 33 48\r\n00 09 10 99 100 255");
    EXPECT_EQ(CombsClipboardText(list, {}), "");
}

// --- Pasting ----------------------------------------------------------------------

struct PasteCase {
    const char* Name;
    const char* Text;
    std::vector<TCombination> Expected;
};

void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.Name; }

class CombsPasteAccepted : public ::testing::TestWithParam<PasteCase> {};

TEST_P(CombsPasteAccepted, ReplacesTheList) {
    const PasteCase& c = GetParam();
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    EXPECT_EQ(ParseCombsPaste(c.Text, list).Error(), "");
    EXPECT_EQ(test::ItemsOf(list), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, CombsPasteAccepted,
                         ::testing::Values(PasteCase{"EverySeparator",
                                                     "1 2\t3,4-5.6\r\n7:8;9|10  11 12",
                                                     {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}},
                                           PasteCase{"CopiedTextPastesBack",
                                                     "01 05 17 23 33 48\r\n00 09 10 99 100 255",
                                                     {{1, 5, 17, 23, 33, 48}, {0, 9, 10, 99, 100, 255}}},
                                           PasteCase{"BlankLinesAndATrailingLineBreakPassedOver",
                                                     "\r\n1 2 3 4 5 6\r\n   \r\n\t\r\n",
                                                     {{1, 2, 3, 4, 5, 6}}},
                                           PasteCase{"OrderKept", "48 1 30 2 17 5\n", {{48, 1, 30, 2, 17, 5}}}),
                         [](const auto& row) { return std::string(row.param.Name); });

struct RefusedCase {
    const char* Name;
    std::string Text;
    std::string QuotedLine;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.Name; }

class CombsPasteRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(CombsPasteRefused, NamesTheFirstBadLineAndKeepsTheList) {
    const RefusedCase& c = GetParam();
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    EXPECT_EQ(ParseCombsPaste(c.Text, list).Error(), Format(texts::kCombsBadLine, {c.QuotedLine}));
    EXPECT_EQ(test::ItemsOf(list), test::Sentinel());
}

const std::string kLongLine = std::string(150, '7');

INSTANTIATE_TEST_SUITE_P(Texts, CombsPasteRefused,
                         ::testing::Values(RefusedCase{"FiveNumbers", "1 2 3 4 5", "1 2 3 4 5"},
                                           RefusedCase{"SevenNumbers", "1 2 3 4 5 6 7", "1 2 3 4 5 6 7"},
                                           RefusedCase{"NotANumber", "1 2 3 4 5 x", "1 2 3 4 5 x"},
                                           RefusedCase{"PastAByte", "1 2 3 4 5 256", "1 2 3 4 5 256"},
                                           RefusedCase{"SecondLineNamed", "1 2 3 4 5 6\r\n  7 8 9  \r\n1 2", "7 8 9"},
                                           RefusedCase{"LongLineCut", kLongLine, std::string(100, '7') + "..."}),
                         [](const auto& row) { return std::string(row.param.Name); });

class CombsPasteWithoutCombinations : public ::testing::TestWithParam<const char*> {};

// Nothing to paste (a blank clipboard) is refused; the list and its undo copy stay.
TEST_P(CombsPasteWithoutCombinations, IsRefusedAndChangesNothing) {
    TCombsList combs(10);
    test::Fill(combs.Current(), test::Sentinel());
    combs.SaveUndo();
    test::FakeUiHooks hooks;
    EXPECT_FALSE(PasteCombs(combs, GetParam(), hooks));
    EXPECT_EQ(hooks.Errors, std::vector<std::string>{"Вставляемый текст не содержит ни одной комбинации!"});
    EXPECT_EQ(test::ItemsOf(combs.Current()), test::Sentinel());
    EXPECT_TRUE(combs.CanUndo());
    EXPECT_EQ(hooks.Busy, 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, CombsPasteWithoutCombinations, ::testing::Values("", " ", "\r\n", " \r\n\t\r\n  \n"));

TEST(CombsPaste, ExactErrorText) {
    TCombsArray list(10);
    EXPECT_EQ(ParseCombsPaste("1;2;3;4;5\r\n", list).Error(), "Некорректная комбинация: \"1;2;3;4;5\"!");
}

TEST(CombsPaste, MoreCombinationsThanTheListHoldsAreRefusedWithTheListUnchanged) {
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    std::string ten, eleven;
    for (int i = 0; i < 10; ++i) ten += "1 2 3 4 5 6\r\n";
    eleven = ten + "7 8 9 10 11 12";
    EXPECT_EQ(ParseCombsPaste(eleven, list).Error(), Format(texts::kCombsTooMany, {11, 10}));
    EXPECT_EQ(test::ItemsOf(list), test::Sentinel());
    EXPECT_EQ(ParseCombsPaste(ten, list).Error(), "");
    EXPECT_EQ(list.Count(), 10U);
}

TEST(PasteCombs, SuccessForgetsTheUndoCopyFailureShowsTheErrorAndKeepsEverything) {
    TCombsList combs(10);
    test::Fill(combs.Current(), test::Sentinel());
    combs.SaveUndo();
    test::FakeUiHooks hooks;

    EXPECT_FALSE(PasteCombs(combs, "1 2 3", hooks));
    EXPECT_EQ(hooks.Errors, std::vector<std::string>{Format(texts::kCombsBadLine, {"1 2 3"})});
    EXPECT_EQ(test::ItemsOf(combs.Current()), test::Sentinel());
    EXPECT_TRUE(combs.CanUndo());

    EXPECT_TRUE(PasteCombs(combs, "6 5 4 3 2 1", hooks));
    EXPECT_EQ(test::ItemsOf(combs.Current()), (std::vector<TCombination>{{6, 5, 4, 3, 2, 1}}));
    EXPECT_FALSE(combs.CanUndo());
    EXPECT_EQ(hooks.Errors.size(), 1U);
    EXPECT_EQ(hooks.Busy, 0);
}

}  // namespace
}  // namespace corvel
