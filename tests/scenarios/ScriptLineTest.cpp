// Scenario lines: the options header read and written in its three forms,
// the fields of a line with runs of "|", and the refused characters.
#include <gtest/gtest.h>

#include "scenarios/ScriptLine.h"

namespace corvel {
namespace {

struct OptionsCase {
    const char* Name;
    const char* Text;
    TScriptOptions Expected;
    friend void PrintTo(const OptionsCase& c, std::ostream* os) { *os << c.Name; }
};

class ParseOptions : public testing::TestWithParam<OptionsCase> {};

TEST_P(ParseOptions, GivesTheFields) {
    EXPECT_EQ(ParseScriptOptions(GetParam().Text), GetParam().Expected) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Headers, ParseOptions,
                         testing::Values(
                             // {ExcludeDraws, StartType, ResultMode, ClearStakes, NewOnly}
                             OptionsCase{"LowerCaseExcludeFiveLastNewOnly", "excl:5#last#nex", {5, 1, 2, false, true}},
                             OptionsCase{
                                 "SpacesAroundTheParts", "  CURR : 3 # STOP # CLR #NEX ", {3, 2, 6, true, true}},
                             OptionsCase{"UnknownModeIsRandom", "FULL:0#WHATEVER", {0, 0, 0, false, false}},
                             OptionsCase{"UnknownStartIsFull", "HALF:7#ALL", {7, 0, 3, false, false}},
                             OptionsCase{"StartMatchedByItsBeginning", "EXCLUDE:2#NONE", {2, 1, 8, false, false}},
                             OptionsCase{"CountThatIsNoNumber", "EXCL:five#SKIP", {0, 1, 7, false, false}},
                             OptionsCase{"CountBeyondInt32", "EXCL:99999999999#SYSA", {0, 1, 4, false, false}},
                             OptionsCase{"UnknownFlagsIgnored", "FULL#SYSC#XYZ##clr", {0, 0, 5, true, false}},
                             OptionsCase{"Empty", "", {0, 0, 0, false, false}}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(ScriptOptions, LongShortAndListForms) {
    const TScriptOptions excl{5, 1, 2, true, true};
    EXPECT_EQ(FormatScriptOptions(excl), "EXCL:5#LAST#CLR#NEX");
    EXPECT_EQ(FormatScriptOptionsShort(excl), "EXCL:5#LAST#NEX");
    EXPECT_EQ(ScriptOptionsText(excl), "Исключить 5 тиражей; Последняя; Удалить ставки; Только новые ставки");

    const TScriptOptions full{0, 0, 0, false, false};
    EXPECT_EQ(FormatScriptOptions(full), "FULL:0#RAND");
    EXPECT_EQ(FormatScriptOptionsShort(full), "FULL#RAND");
    EXPECT_EQ(ScriptOptionsText(full), "Исходный список; Случайно; Все создаваемые ставки");

    // The count is kept for CURR in the long form, but only EXCL shows it short.
    const TScriptOptions curr{3, 2, 8, true, false};
    EXPECT_EQ(FormatScriptOptions(curr), "CURR:3#NONE#CLR");
    EXPECT_EQ(FormatScriptOptionsShort(curr), "CURR#NONE");

    const TScriptOptions bad{0, 9, 12, false, false};
    EXPECT_EQ(FormatScriptOptions(bad), "# ERROR #:0## ERROR #");
    EXPECT_EQ(ScriptOptionsText(bad), "# ERROR #; # ERROR #; Все создаваемые ставки");

    for (const TScriptOptions& o : {excl, full, curr}) EXPECT_EQ(ParseScriptOptions(FormatScriptOptions(o)), o);
}

TEST(ScriptLine, UnusedFiltersAreSpacesSoLaterOnesKeepTheirPlace) {
    const TScriptFilters filters = {"", "  ", "TSD1#NUMS:50#LMV:1#ST:3", "", "", "", ""};
    const std::string line = BuildScriptLine({5, 1, 2, false, true}, filters, " Мой комментарий ");
    EXPECT_EQ(line, "EXCL:5#LAST#NEX| | |TSD1#NUMS:50#LMV:1#ST:3| | | | |Мой комментарий");
    EXPECT_EQ(ScriptLineOptions(line), "EXCL:5#LAST#NEX");
    EXPECT_EQ(ScriptLineFilter(line, 1), "");
    EXPECT_EQ(ScriptLineFilter(line, 3), "TSD1#NUMS:50#LMV:1#ST:3");
    EXPECT_EQ(ScriptLineComment(line), "Мой комментарий");
    EXPECT_EQ(ScriptLineFilters(line), (TScriptFilters{"", "", "TSD1#NUMS:50#LMV:1#ST:3", "", "", "", ""}));

    // Without a comment the line ends with the seventh filter's field.
    EXPECT_EQ(BuildScriptLine({}, {}, "  "), "FULL:0#RAND| | | | | | | ");
    EXPECT_EQ(ScriptLineComment(BuildScriptLine({}, {}, "")), "");
}

TEST(ScriptLine, RunsOfSeparatorsCountAsOne) {
    // Eight "|" in a row: the comment after them is the second word.
    const std::string handWritten = "FULL:0#RAND||||||||Мой";
    EXPECT_EQ(ScriptLineWord(handWritten, 2), "Мой");
    EXPECT_EQ(ScriptLineFilter(handWritten, 1), "Мой");
    EXPECT_EQ(ScriptLineComment(handWritten), "");
    EXPECT_EQ(ScriptLineWord("|FULL:0#RAND|", 1), "FULL:0#RAND");
    EXPECT_EQ(ScriptLineWord("FULL:0#RAND", 9), "");
    EXPECT_TRUE(IsScriptSeparator("   "));
    EXPECT_FALSE(IsScriptSeparator("FULL:0#RAND"));
}

TEST(ScriptLine, FieldsRefuseTheSeparators) {
    for (const char* bad : {"a|b", "комментарий @ фильтры", "|", "@"}) EXPECT_FALSE(CheckScriptField(bad)) << bad;
    for (const char* good : {"", "Мой сценарий #1: 5-9, :)", "TSD1#NUMS:50#LMV:1#ST:3"})
        EXPECT_TRUE(CheckScriptField(good)) << good;
}

}  // namespace
}  // namespace corvel
