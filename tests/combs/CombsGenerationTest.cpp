// Generating a new combination list from the mode and the user's numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "CombsTestSupport.h"
#include "FakeUiHooks.h"
#include "app/CombsCommands.h"
#include "TestSupport.h"
#include "model/CombinationEnumeration.h"
#include "combs/CombsGeneration.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"

namespace corvel {
namespace {

// --- The user's numbers -------------------------------------------------------

struct NumbersCase {
    const char* Name;
    const char* Text;
    std::vector<int> Members;
};

void PrintTo(const NumbersCase& c, std::ostream* os) { *os << c.Name; }

class CombsUserNumbers : public ::testing::TestWithParam<NumbersCase> {};

TEST_P(CombsUserNumbers, GiveTheSetOfValues) {
    const NumbersCase& c = GetParam();
    const TNumberSet set = ParseUserNumbers(c.Text);
    std::vector<int> members;
    for (int v = 0; v < 256; ++v)
        if (set.Contains(static_cast<std::uint8_t>(v))) members.push_back(v);
    EXPECT_EQ(members, c.Members) << c.Text;
}

INSTANTIATE_TEST_SUITE_P(Texts, CombsUserNumbers,
                         ::testing::Values(NumbersCase{"Empty", "", {}},
                                           NumbersCase{"BothSeparators", "5,1;48", {1, 5, 48}},
                                           NumbersCase{"WordsTrimmed", " 7 ;\t8 , 9", {7, 8, 9}},
                                           NumbersCase{"EmptyWordsIgnored", ";;3,,", {3}},
                                           NumbersCase{"NotANumberCountsAsZero", "x;4", {0, 4}},
                                           NumbersCase{"ByteRangeKept", "0;49;255", {0, 49, 255}},
                                           NumbersCase{"OutsideTheByteRangeIgnored", "256;-1;1000", {}},
                                           NumbersCase{"SpaceIsNoSeparator", "1 2;3", {0, 3}}),
                         [](const auto& row) { return std::string(row.param.Name); });

// --- Modes --------------------------------------------------------------------

enum class Rule { Every, Any, Only, None };

struct ModeCase {
    const char* Name;
    int Mode;
    const char* Parameters;
    Rule Expected;  // which combinations of the full list must be taken
    std::size_t ExpectedCount;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.Name; }

class CombsGenerationMode : public ::testing::TestWithParam<ModeCase> {
  protected:
    // Full-size lists are allocated once for all rows.
    static void SetUpTestSuite() {
        all_ = std::make_unique<TCombsArray>();
        all_->SetCount(EnumerateAllCombinations(all_->Room()));
        list_ = std::make_unique<TCombsArray>();
    }
    static void TearDownTestSuite() {
        all_.reset();
        list_.reset();
    }
    static std::unique_ptr<TCombsArray> all_;
    static std::unique_ptr<TCombsArray> list_;
};

std::unique_ptr<TCombsArray> CombsGenerationMode::all_;
std::unique_ptr<TCombsArray> CombsGenerationMode::list_;

bool Takes(Rule rule, const TNumberSet& set, const TCombination& c) {
    const auto in = [&](std::uint8_t v) { return set.Contains(v); };
    switch (rule) {
        case Rule::Any:
            return std::any_of(c.begin(), c.end(), in);
        case Rule::Only:
            return std::all_of(c.begin(), c.end(), in);
        case Rule::None:
            return std::none_of(c.begin(), c.end(), in);
        default:
            return true;
    }
}

TEST_P(CombsGenerationMode, TakesTheMatchingCombinationsInLexicographicOrder) {
    const ModeCase& c = GetParam();
    test::FakeUiHooks hooks;
    test::Fill(*list_, test::Sentinel());
    ASSERT_TRUE(GenerateCombs(*list_, c.Mode, c.Parameters, hooks, false));
    EXPECT_TRUE(hooks.Errors.empty());
    ASSERT_EQ(list_->Count(), c.ExpectedCount);

    // The list must be exactly the full list filtered by the rule, in order.
    const TNumberSet set = ParseUserNumbers(c.Parameters);
    std::size_t k = 0;
    for (const TCombination& comb : all_->Items()) {
        if (!Takes(c.Expected, set, comb)) continue;
        ASSERT_LT(k, list_->Count());
        ASSERT_EQ((*list_)[k], comb) << "entry " << k;
        ++k;
    }
    EXPECT_EQ(k, list_->Count());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CombsGenerationMode,
    ::testing::Values(ModeCase{"AllIgnoresTheParameters", 0, "1;2;3", Rule::Every, kAllCombinations},
                      ModeCase{"UnknownModeMeansAll", 7, "1;2;3", Rule::Every, kAllCombinations},
                      ModeCase{"NegativeModeMeansAll", -1, "", Rule::Every, kAllCombinations},
                      ModeCase{"AnyWithEmptyTextGivesNone", 1, "", Rule::Any, 0},
                      ModeCase{"AnyOfTwoNumbers", 1, "5; 40", Rule::Any, kAllCombinations - 9'366'819},
                      ModeCase{"OnlySevenNumbersGiveSeven", 2, "1;2;3;4;5;6;7", Rule::Only, 7},
                      ModeCase{"OnlyFiveNumbersGiveNone", 2, "1,2,3,4,5", Rule::Only, 0},
                      ModeCase{"OnlyWithJunkWordsAndTheLastNumber", 2, "x, 1, 2 ,3;4;5;6;48;200", Rule::Only, 7},
                      ModeCase{"NoneWithEmptyTextGivesAll", 3, "", Rule::None, kAllCombinations},
                      ModeCase{"NoneOfNumbersOutsideTheGame", 3, "0;49;255;1000;-3;abc", Rule::None, kAllCombinations},
                      ModeCase{"NoneOfTenNumbers", 3, "1;2;3;4;5;6;7;8;9;10", Rule::None, 2'760'681}),
    [](const auto& row) { return std::string(row.param.Name); });

// --- The command ----------------------------------------------------------------

TEST(GenerateCombs, ShowsItsStatusOnlyWhenAsked) {
    test::FakeUiHooks quiet, shown;
    TCombsArray list(100);
    ASSERT_TRUE(GenerateCombs(list, 2, "1;2;3;4;5;6;7", quiet, false));
    EXPECT_TRUE(quiet.Statuses.empty());
    ASSERT_TRUE(GenerateCombs(list, 2, "1;2;3;4;5;6;7", shown, true));
    EXPECT_EQ(shown.Statuses, (std::vector<std::string>{texts::kCombsGenerating.Str(), ""}));
    EXPECT_EQ(shown.Busy, 0);
    EXPECT_EQ(shown.MaxBusy, 1);
}

TEST(GenerateCombs, FileModeReadsTheFileNamedByTheParameters) {
    test::TempDir dir;
    const auto file = dir / "my list.lcv";
    test::WriteBytes(file, "3;1;2;4;5;6\r\nnot a combination\r\n1,2,3,4,5,99\r\n");
    test::FakeUiHooks hooks;
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    ASSERT_TRUE(GenerateCombs(list, 4, file.string(), hooks, true));
    EXPECT_EQ(test::ItemsOf(list), (std::vector<TCombination>{{3, 1, 2, 4, 5, 6}, {1, 2, 3, 4, 5, 99}}));
    EXPECT_TRUE(hooks.Errors.empty());
}

TEST(GenerateCombs, FailedFileModeKeepsTheListAndShowsTheReadError) {
    test::TempDir dir;
    const auto file = dir / "missing.lcv";
    test::FakeUiHooks hooks;
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    EXPECT_FALSE(GenerateCombs(list, 4, file.string(), hooks, true));
    ASSERT_EQ(hooks.Errors.size(), 1U);
    EXPECT_EQ(hooks.Errors[0].rfind(ErrorReport(Format(texts::kCombsFileReadError, {file.string()}), ""), 0), 0U)
        << hooks.Errors[0];
    EXPECT_EQ(test::ItemsOf(list), test::Sentinel());
    EXPECT_EQ(hooks.Statuses.back(), "");
    EXPECT_EQ(hooks.Busy, 0);
}

TEST(GenerateCombs, MoreThanTheListHoldsIsRefusedBeforeTheListChanges) {
    test::FakeUiHooks hooks;
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    // Eight numbers make C(8,6) = 28 combinations.
    EXPECT_FALSE(GenerateCombs(list, 2, "1;2;3;4;5;6;7;8", hooks, false));
    EXPECT_EQ(hooks.Errors, std::vector<std::string>{
                                ErrorReport(texts::kCombsGenerateError, Format(texts::kCombsTooMany, {28, 10}))});
    EXPECT_EQ(test::ItemsOf(list), test::Sentinel());
    EXPECT_FALSE(GenerateCombs(list, 0, "", hooks, false));
    EXPECT_EQ(test::ItemsOf(list), test::Sentinel());
}

TEST(CombsGeneratedCount, MatchesTheClosedForms) {
    const TNumberSet ten = ParseUserNumbers("1;2;3;4;5;6;7;8;9;10;0;200");
    EXPECT_EQ(GeneratedCount(ECombsGenerateMode::OnlyNumbers, ten), 210U);          // C(10,6)
    EXPECT_EQ(GeneratedCount(ECombsGenerateMode::NoneOfNumbers, ten), 2'760'681U);  // C(38,6)
    EXPECT_EQ(GeneratedCount(ECombsGenerateMode::AnyOfNumbers, ten), kAllCombinations - 2'760'681U);
    EXPECT_EQ(GeneratedCount(ECombsGenerateMode::All, ten), kAllCombinations);
}

}  // namespace
}  // namespace corvel
