// Filter definitions: the list syntax, the text form both ways, expansion
// into parts and the checks of the filter dialog.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/Errors.h"
#include "stats/FilterDefinition.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

struct ListCase {
    const char* Name;
    const char* Text;
    std::vector<int> Values;
};

class IntList : public ::testing::TestWithParam<ListCase> {};

TEST_P(IntList, Parses) { EXPECT_EQ(ParseIntList(GetParam().Text), GetParam().Values); }

INSTANTIATE_TEST_SUITE_P(
    Texts, IntList,
    ::testing::Values(ListCase{"Single", "5", {5}}, ListCase{"MixedSeparators", "1,2;3", {1, 2, 3}},
                      ListCase{"Spaces", " 50, 100 ", {50, 100}}, ListCase{"RangeWithStep", "1-10;2", {1, 3, 5, 7, 9}},
                      ListCase{"RangeWithCommaStep", "10-20,5", {10, 15, 20}},
                      ListCase{"DescendingRangeIsEmpty", "10-1;1", {}}, ListCase{"ZeroStep", "1-10;0", {}},
                      ListCase{"RangeWithoutStep", "1-10", {}}, ListCase{"Empty", "", {}}, ListCase{"Junk", "abc", {}},
                      ListCase{"NegativeSingle", "-5", {-5}}, ListCase{"NegativeStart", "-4-4;4", {-4, 0, 4}},
                      ListCase{"HugeRangeRefused", "1-2000000000;1", {}},
                      ListCase{"EndPastInt32LastValueWithin", "0-2999999999;1000000000", {0, 1000000000, 2000000000}},
                      ListCase{"LastValuePastInt32", "1-3000000001;1500000000", {}},
                      ListCase{"StartPastInt32", "-3000000000-0;1000000000", {}},
                      ListCase{"EndsFarApart", "-9000000000000000000-9000000000000000000;1", {}},
                      ListCase{"HugeStepOverAWideSpan", "1-9223372036854775807;4611686018427387904", {}},
                      ListCase{"NegativeStepWithinTheSpan", "5-7;-3", {5}},
                      ListCase{"NegativeStepPastTheSpan", "1-10;-3", {}},
                      ListCase{"MostNegativeStep", "5-7;-9223372036854775808", {5}}),
    [](const auto& row) { return std::string(row.param.Name); });

class FilterText : public ::testing::Test {
  protected:
    void SetUp() override { test::RegisterOver(list_, draws_); }
    TDrawsArray draws_;
    TStatList list_;
};

TEST_F(FilterText, ReadsEveryField) {
    const TFilterItem item = ParseFilterItem("BMF12#pos3: 50, 100 #lmv:1-10;2#st:3#0,5:-1:1.25:1:0", list_);
    EXPECT_TRUE(item.Active);
    EXPECT_TRUE(item.BottomUp);
    EXPECT_TRUE(item.MultiSelect);
    EXPECT_TRUE(item.Keep);
    EXPECT_EQ(item.SortColumn, 12);
    EXPECT_EQ(item.Method, list_.FindMethod("POS3"));
    EXPECT_EQ(item.DrawsLen, "50, 100");
    EXPECT_EQ(item.LevelMode, 1);
    EXPECT_EQ(item.LevelValue, "1-10;2");
    EXPECT_EQ(item.StopMode, kStopSteps);
    EXPECT_EQ(item.StopValue, 3);
    EXPECT_TRUE(item.CDLOverride);
    EXPECT_DOUBLE_EQ(static_cast<double>(item.CDL.CountCoef), 0.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(item.CDL.DeviationCoef), -1);
    EXPECT_DOUBLE_EQ(static_cast<double>(item.CDL.LevelCoef), 1.25);
    EXPECT_TRUE(item.CDL.UsePercents);
    EXPECT_FALSE(item.CDL.UseAbsValues);
    EXPECT_EQ(FilterItemText(item, list_), "BMF12#POS3:50, 100#LMV:1-10;2#ST:3#0.5:-1:1.25:1:0");
}

TEST_F(FilterText, RoundTrips) {
    for (const char* text :
         {"TSD1#NUMS:50, 100#LMV:1-10;2#ST:3", "TSD12#EVEN:1000#LNO:#SF:1", "BSF0#PRMV:30#LVA:1,2,3#SV:5#0:-1:1:0:1"}) {
        EXPECT_EQ(FilterItemText(ParseFilterItem(text, list_), list_), text);
    }
}

struct CoefficientCase {
    const char* Name;
    const char* Text;     // as typed in the fifth field
    const char* Written;  // the field as written back
};

void PrintTo(const CoefficientCase& c, std::ostream* os) { *os << c.Name; }

class FilterCoefficient : public FilterText, public ::testing::WithParamInterface<CoefficientCase> {};

// Only digits, the sign and the decimal point count; the text written is plain
// decimal with at most 15 significant digits, never an exponent.
TEST_P(FilterCoefficient, ReadsAndWritesPlainDecimals) {
    const CoefficientCase& c = GetParam();
    const TFilterItem item = ParseFilterItem(std::string("TSD1#NUMS:5#LNO:#SF:1#") + c.Text + ":0:0:0:0", list_);
    const std::string text = FilterItemText(item, list_);
    EXPECT_EQ(text.substr(text.rfind('#') + 1), std::string(c.Written) + ":0:0:0:0");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FilterCoefficient,
    ::testing::Values(CoefficientCase{"ExponentLetterIgnored", "1e2", "12"},
                      CoefficientCase{"CapitalExponentLetterIgnored", "1E2", "12"},
                      CoefficientCase{"Comma", "0,5", "0.5"}, CoefficientCase{"Negative", "-1.25", "-1.25"},
                      CoefficientCase{"OtherCharacters", "x1.5y", "1.5"}, CoefficientCase{"PlusSign", "+3", "3"},
                      CoefficientCase{"Unreadable", "abc", "0"}, CoefficientCase{"Blank", "", "0"},
                      CoefficientCase{"NegativeZero", "-0", "0"}, CoefficientCase{"TrailingZeros", "1.100", "1.1"},
                      CoefficientCase{"Small", "0.00001", "0.00001"},
                      CoefficientCase{"SmallNegative", "-0,00000025", "-0.00000025"},
                      CoefficientCase{"Large", "100000000000000000000", "100000000000000000000"},
                      CoefficientCase{"FifteenDigits", "123456.7890123456789", "123456.789012346"},
                      CoefficientCase{"LargeRounded", "123456789012345678", "123456789012346000"},
                      CoefficientCase{"OneTenth", "0.1", "0.1"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST_F(FilterText, UnknownMethodIsWrittenBackUnchanged) {
    const TFilterItem item = ParseFilterItem("TSD1#CHN10:100#LNO:#SF:1", list_);
    EXPECT_EQ(item.Method, -1);
    EXPECT_EQ(item.DrawsLen, "");
    EXPECT_EQ(FilterItemText(item, list_), "TSD1#CHN10:100#LNO:#SF:1");
}

TEST_F(FilterText, MalformedTextsGiveDefaults) {
    const TFilterItem empty = ParseFilterItem("   ", list_);
    EXPECT_FALSE(empty.Active);

    const TFilterItem shortText = ParseFilterItem("TSDx", list_);  // no fields after the first
    EXPECT_TRUE(shortText.Active);
    EXPECT_EQ(shortText.SortColumn, 1);
    EXPECT_EQ(shortText.Method, -1);
    EXPECT_EQ(shortText.StopValue, 1);

    const TFilterItem badTokens = ParseFilterItem("TSD#NUMS:5#XYZ:7#QQ:abc", list_);
    EXPECT_EQ(badTokens.SortColumn, 1);
    EXPECT_EQ(badTokens.LevelMode, kLevelNone);
    EXPECT_EQ(badTokens.StopMode, kStopNever);
    EXPECT_EQ(badTokens.StopValue, 1);

    const TFilterItem badCdl = ParseFilterItem("TSD1#NUMS:5#LNO:#SF:1#x:y", list_);
    EXPECT_TRUE(badCdl.CDLOverride);
    EXPECT_EQ(badCdl.CDL.CountCoef, 0);
    EXPECT_EQ(badCdl.CDL.DeviationCoef, 0);
    EXPECT_FALSE(badCdl.CDL.UsePercents);
}

TEST_F(FilterText, ExpansionMakesOnePartPerWindowAndLevel) {
    auto parts = ExpandFilterItem(ParseFilterItem("TSD1#NUMS:50,100#LMV:1-5;2#ST:3", list_), list_);
    ASSERT_EQ(parts.size(), 6u);  // windows 50, 100 x levels 1, 3, 5
    EXPECT_EQ(parts[0].WindowLength, 50);
    EXPECT_EQ(parts[0].LevelTest, "1");
    EXPECT_EQ(parts[2].LevelTest, "5");
    EXPECT_EQ(parts[3].WindowLength, 100);
    EXPECT_EQ(FilterPartText(parts[4], list_), "TSD#NUMS:100#LMV:3#ST:3");

    parts = ExpandFilterItem(ParseFilterItem("TSD1#NUMS:50#LDV:1-7;3#ST:3", list_), list_);
    ASSERT_EQ(parts.size(), 1u);  // a list mode tests the whole list at once
    EXPECT_EQ(parts[0].LevelTest, "1,4,7");
    EXPECT_EQ(parts[0].LevelText, "1-7;3");

    TFilterRec rec{};
    rec[0] = parts[0];
    rec[2] = ExpandFilterItem(ParseFilterItem("BMF2#EVEN:10#LNO:#SF:1", list_), list_)[0];
    EXPECT_EQ(FilterRecText(rec, list_), "TSD#NUMS:50#LDV:1-7;3#ST:3 + BMF#EVEN:10#LNO:#SF:1");

    for (const char* bad : {"TSD1#NUMS:#LNO:#SF:1", "TSD1#NUMS:50#LMV:#SF:1", "TSD1#NOSUCH:50#LNO:#SF:1"}) {
        try {
            ExpandFilterItem(ParseFilterItem(bad, list_), list_);
            ADD_FAILURE() << bad;
        } catch (const ECorvelError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Некорректное описание фильтра: ", 0), 0u) << e.what();
        }
    }
}

TEST(IntListSize, AMillionValuesAreKeptOneMoreIsRefused) {
    const std::vector<int> million = ParseIntList("1-1000000;1");
    ASSERT_EQ(million.size(), 1'000'000u);
    EXPECT_EQ(million.back(), 1'000'000);
    EXPECT_TRUE(ParseIntList("1-1000001;1").empty());
    EXPECT_TRUE(ParseIntList("0-2000000;2").empty());  // 0, 2, ..., 2000000: one too many
    EXPECT_EQ(ParseIntList("0-1999998;2").size(), 1'000'000u);
}

struct PartAtCase {
    const char* Name;
    const char* Definition;
    std::size_t Count;
    std::size_t K;
    int Window;
    const char* LevelTest;
};

void PrintTo(const PartAtCase& c, std::ostream* os) { *os << c.Name; }

class FilterPartIndex : public FilterText, public ::testing::WithParamInterface<PartAtCase> {};

// Part k of windows W and level values L is (W[k div |L|], L[k mod |L|]).
TEST_P(FilterPartIndex, CountsAndMakesOnePart) {
    const PartAtCase& c = GetParam();
    const TFilterItem item = ParseFilterItem(c.Definition, list_);
    EXPECT_EQ(FilterPartCount(item, list_), c.Count);
    const TFilterPart part = FilterPartAt(item, c.K, list_);
    EXPECT_TRUE(part.Active);
    EXPECT_EQ(part.Method, list_.FindMethod("NUMS"));
    EXPECT_EQ(part.WindowLength, c.Window);
    EXPECT_EQ(part.LevelTest, c.LevelTest);
    EXPECT_THROW(FilterPartAt(item, c.Count, list_), EInvalidArgument);
}

INSTANTIATE_TEST_SUITE_P(
    Definitions, FilterPartIndex,
    ::testing::Values(PartAtCase{"FirstOfSix", "TSD1#NUMS:50,100#LMV:1-5;2#ST:3", 6, 0, 50, "1"},
                      PartAtCase{"FifthOfSix", "TSD1#NUMS:50,100#LMV:1-5;2#ST:3", 6, 4, 100, "3"},
                      PartAtCase{"AtTheCapFirst", "TSD1#NUMS:1-1000;1#LMV:1-100;1#ST:1", 100'000, 0, 1, "1"},
                      PartAtCase{"AtTheCapMiddle", "TSD1#NUMS:1-1000;1#LMV:1-100;1#ST:1", 100'000, 12'345, 124, "46"},
                      PartAtCase{"AtTheCapLast", "TSD1#NUMS:1-1000;1#LMV:1-100;1#ST:1", 100'000, 99'999, 1000, "100"},
                      PartAtCase{"ListModeOnePartPerWindow", "TSD1#NUMS:10-100000;10#LDV:1-7;3#ST:1", 10'000, 9'999,
                                 100'000, "1,4,7"},
                      PartAtCase{"NoLevels", "BMF2#NUMS:7,8,9#LNO:#SF:1", 3, 2, 9, ""}),
    [](const auto& row) { return std::string(row.param.Name); });

// Counting never multiplies the lists out: a million windows by a million
// levels is refused at once with a clear error, by every entry point.
TEST_F(FilterText, TooManyPartsAreRefused) {
    for (const char* text : {"TSD1#NUMS:1-1000000;1#LMV:1-1000000;1#ST:0", "TSD1#NUMS:1-1000;1#LMV:1-101;1#ST:1",
                             "TSD1#NUMS:1-100001;1#LNO:#SF:1", "TSD1#NUMS:1-1000000;1#LDV:1-3;1#SF:1"}) {
        SCOPED_TRACE(text);
        const TFilterItem item = ParseFilterItem(text, list_);
        const std::string message = "Описание фильтра " + FilterItemText(item, list_) +
                                    " дает слишком много вариантов (допустимо не более 100 000)!\r"
                                    "Пожалуйста, уменьшите количество вариантов длины выборки и глубины.";
        for (int entry = 0; entry < 3; ++entry) {
            try {
                if (entry == 0) FilterPartCount(item, list_);
                if (entry == 1) FilterPartAt(item, 0, list_);
                if (entry == 2) ExpandFilterItem(item, list_);
                ADD_FAILURE() << entry;
            } catch (const ETooManyFilterParts& e) {
                EXPECT_EQ(e.what(), message);
            }
        }
    }
}

// All parts at once repeat a list mode's level text in every part; a long
// list over many windows is refused there, while single parts still come.
TEST_F(FilterText, ExpandingRefusesWhatWouldNotFitButSinglePartsStillCome) {
    const TFilterItem item = ParseFilterItem("TSD1#NUMS:1-100000;1#LDV:1-1000000;1#ST:1", list_);
    ASSERT_EQ(FilterPartCount(item, list_), 100'000u);
    EXPECT_THROW(ExpandFilterItem(item, list_), ETooManyFilterParts);
    const TFilterPart part = FilterPartAt(item, 99'999, list_);
    EXPECT_EQ(part.WindowLength, 100'000);
    EXPECT_EQ(part.LevelTest.rfind("1,2,3,", 0), 0u);
    EXPECT_EQ(part.LevelTest.substr(part.LevelTest.size() - 15), ",999999,1000000");
    EXPECT_EQ(part.LevelText, "1-1000000;1");
}

TEST_F(FilterText, DialogChecks) {
    struct Case {
        const char* Text;
        const char* Error;
    };
    const Case cases[] = {
        {"TSD1#NUMS:50#LNO:#SF:1", ""},
        {"TSD1#NUMS:0#LNO:#SF:1", "Введен некорректный диапазон значений!"},
        {"TSD1#NUMS:#LNO:#SF:1", "Введен некорректный диапазон значений!"},
        {"TSD1#NUMS:50#LMV:#SF:1", "Введен некорректный диапазон значений!"},
        {"TSD1#NUMS:50#LVA:1,2#SF:1", ""},
        {"TMD1#NUMS:50#LNO:#SC:100",
         "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может быть "
         "выполнена!\rВыберите другой способ останова."},
        {"TSD1#NUMS:50#LNO:#SC:100", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckFilterItem(ParseFilterItem(c.Text, list_), list_).Error, c.Error) << c.Text;
    EXPECT_TRUE(IsListFieldCharacter('7'));
    EXPECT_TRUE(IsListFieldCharacter(';'));
    EXPECT_FALSE(IsListFieldCharacter('a'));
    EXPECT_FALSE(IsListFieldCharacter(' '));
}

}  // namespace
}  // namespace corvel
