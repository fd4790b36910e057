// What a person types for a stake: six different numbers 1..48 in any order
// (ascending afterwards), the live sum, the required comment of at most 64
// characters, and the size a stake for every combination adds to the file.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "TestSupport.h"
#include "stakes/StakeInput.h"

namespace corvel {
namespace {

const std::string kBad = "Введена некорректная комбинация!";

struct NumbersCase {
    const char* Name;
    const char* Text;
    std::optional<TCombination> Accepted;  // nothing: refused
};

class ParseStakeNumbersTest : public testing::TestWithParam<NumbersCase> {};

TEST_P(ParseStakeNumbersTest, AcceptsOnlySixDifferentNumbersFrom1To48) {
    const NumbersCase& c = GetParam();
    const auto parsed = ParseStakeNumbers(c.Text);
    if (c.Accepted) {
        ASSERT_TRUE(parsed) << parsed.Error();
        EXPECT_EQ(*parsed, *c.Accepted);
    } else {
        EXPECT_EQ(test::RefusalOf(parsed), kBad);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseStakeNumbersTest,
    testing::Values(NumbersCase{"Semicolons", "1;2;3;4;5;6", TCombination{1, 2, 3, 4, 5, 6}},
                    NumbersCase{"CommasSpacesAnyOrder", " 48, 7 ,13;1 ; 30,22 ", TCombination{1, 7, 13, 22, 30, 48}},
                    NumbersCase{"EmptyPiecesSkipped", "1;;2;3;4;5;6;", TCombination{1, 2, 3, 4, 5, 6}},
                    NumbersCase{"FiveNumbers", "1;2;3;4;5", std::nullopt},
                    NumbersCase{"SevenNumbers", "1;2;3;4;5;6;7", std::nullopt},
                    NumbersCase{"Number49", "1;2;3;4;5;49", std::nullopt},
                    NumbersCase{"Number0", "0;1;2;3;4;5", std::nullopt},
                    NumbersCase{"Negative", "-1;2;3;4;5;6", std::nullopt},
                    NumbersCase{"Repeated", "1;2;3;4;5;5", std::nullopt},
                    NumbersCase{"NotANumber", "1;2;3;4;5;x", std::nullopt},
                    NumbersCase{"SpaceSeparated", "1 2 3 4 5 6", std::nullopt}, NumbersCase{"Empty", "", std::nullopt}),
    [](const testing::TestParamInfo<NumbersCase>& row) { return std::string(row.param.Name); });

TEST(StakeNumbersSum, AddsTheWholeNumbersTypedSoFar) {
    EXPECT_EQ(StakeNumbersSum(""), 0);
    EXPECT_EQ(StakeNumbersSum("1;2;3;4;5;6"), 21);
    EXPECT_EQ(StakeNumbersSum("43, 44, 45,46;47;48"), 273);
    EXPECT_EQ(StakeNumbersSum("10;x;5;"), 15);  // a word that is no number does not count
}

TEST(CheckStakeComment, RefusesAnEmptyComment) {
    EXPECT_EQ(test::RefusalOf(CheckStakeComment("")), "Необходимо ввести комментарий!");
    EXPECT_EQ(test::RefusalOf(CheckStakeComment("   ")), "Необходимо ввести комментарий!");
    EXPECT_EQ(test::RefusalOf(CheckStakeComment("Проба")), std::nullopt);
    // 64 characters of two bytes each pass, 65 do not.
    std::string longest;
    for (int i = 0; i < 64; ++i) longest += "ж";
    EXPECT_EQ(test::RefusalOf(CheckStakeComment(longest)), std::nullopt);
    EXPECT_EQ(test::RefusalOf(CheckStakeComment(longest + "ж")), "Комментарий к ставке длиннее 64 символов!");
}

TEST(StakesFileGrowth, OneRecordPerStakeAndDrawAndASeparatorBeforeEachInASeries) {
    // 12,271,512 stakes x 312 bytes for one draw.
    EXPECT_EQ(StakesFileGrowth(12'271'512, 1), 3'828'711'744ULL);
    // Three draws: three copies of each stake, each with a separator before it.
    EXPECT_EQ(StakesFileGrowth(10, 3), 10ULL * 3 * 2 * 312);
    EXPECT_EQ(StakesFileGrowth(10, 0), 0ULL);
}

}  // namespace
}  // namespace corvel
