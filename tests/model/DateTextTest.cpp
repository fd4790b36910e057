// Draw dates as the text "dd.mm.yyyy".
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "model/DateText.h"

namespace corvel {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

struct ParseCase {
    const char* Name;
    const char* Text;
    std::optional<year_month_day> Date;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.Name; }

class DateTextParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(DateTextParse, ReadsFieldsAtTheirPositions) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(ParseDateText(c.Text), c.Date) << c.Text;
}

constexpr year_month_day Ymd(int y, unsigned m, unsigned d) { return year_month_day{year(y), month(m), day(d)}; }

INSTANTIATE_TEST_SUITE_P(
    Texts, DateTextParse,
    ::testing::Values(
        ParseCase{"Plain", "05.12.2026", Ymd(2026, 12, 5)}, ParseCase{"Trimmed", "  25.07.2012\t", Ymd(2012, 7, 25)},
        ParseCase{"TimeAfterTheDateIgnored", "01.08.2012 21:45", Ymd(2012, 8, 1)},
        ParseCase{"OtherSeparators", "01/08-2012", Ymd(2012, 8, 1)},
        ParseCase{"LeapDay", "29.02.2024", Ymd(2024, 2, 29)}, ParseCase{"NoLeapDay", "29.02.2023", std::nullopt},
        ParseCase{"DayOutOfRange", "32.01.2020", std::nullopt},
        ParseCase{"MonthOutOfRange", "01.13.2020", std::nullopt},
        ParseCase{"DayWithoutLeadingZero", "5.12.2026", std::nullopt},  // "5." is no number: 0
        ParseCase{"YearMissing", "05.12.", std::nullopt}, ParseCase{"TwoDigitYear", "05.12.26", std::nullopt},
        ParseCase{"TwoDigitYearTrimmed", " 05.12.26 ", std::nullopt},
        ParseCase{"ThreeDigitYear", "05.12.026", std::nullopt},
        ParseCase{"TwoDigitYearWithTime", "05.12.26 21:45", std::nullopt},
        ParseCase{"SignedYear", "05.12.+026", std::nullopt},
        ParseCase{"FourDigitEarlyYear", "05.12.0026", Ymd(26, 12, 5)}, ParseCase{"Letters", "ab.cd.efgh", std::nullopt},
        ParseCase{"Empty", "", std::nullopt}, ParseCase{"OnlySpaces", "   ", std::nullopt}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(DateTextFormat, WritesTwoDigitDayAndMonthAndFourDigitYear) {
    EXPECT_EQ(FormatDateText(Ymd(2026, 12, 5)), "05.12.2026");
    EXPECT_EQ(FormatDateText(Ymd(987, 1, 9)), "09.01.0987");
    EXPECT_EQ(FormatDateText(Ymd(2023, 2, 29)), "");  // no such date
    EXPECT_EQ(FormatDateText(year_month_day{}), "");
}

TEST(DateTextFormat, ParsedTextFormatsBackUnchanged) {
    for (const char* text : {"01.01.2000", "31.12.1999", "29.02.2024", "10.10.2010"}) {
        auto date = ParseDateText(text);
        ASSERT_TRUE(date.has_value()) << text;
        EXPECT_EQ(FormatDateText(*date), text);
    }
}

}  // namespace
}  // namespace corvel
