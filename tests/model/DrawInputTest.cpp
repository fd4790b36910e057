// The numbers field of the draw dialog.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "TestSupport.h"
#include "model/DrawInput.h"

namespace corvel {
namespace {

struct AcceptedCase {
    const char* Name;
    const char* Text;
    TCombination Numbers;
    std::array<std::uint8_t, 2> Extra;
};

void PrintTo(const AcceptedCase& c, std::ostream* os) { *os << c.Name; }

class DrawInputAccepted : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(DrawInputAccepted, GivesNumbersInTypedOrder) {
    const AcceptedCase& c = GetParam();
    auto input = ParseDrawNumbers(c.Text);
    ASSERT_TRUE(input) << c.Text;
    EXPECT_EQ(input->Numbers, c.Numbers);
    EXPECT_EQ(input->Extra, c.Extra);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DrawInputAccepted,
    ::testing::Values(AcceptedCase{"MixedSeparatorsAndSpaces", "1, 2,3;4 ;5,6;7;8", {1, 2, 3, 4, 5, 6}, {7, 8}},
                      AcceptedCase{"DrawingOrderKept", "5;17;3;44;28;9;1;2", {5, 17, 3, 44, 28, 9}, {1, 2}},
                      AcceptedCase{"EmptyPiecesSkipped", ";;48;1;47;2;46;3;;4;5;", {48, 1, 47, 2, 46, 3}, {4, 5}},
                      // The extra numbers may repeat each other and the main numbers.
                      AcceptedCase{"ExtrasMayRepeat", "10;11;12;13;14;15;10;10", {10, 11, 12, 13, 14, 15}, {10, 10}},
                      AcceptedCase{"Bounds", "1;48;2;47;3;46;1;48", {1, 48, 2, 47, 3, 46}, {1, 48}},
                      AcceptedCase{"LeadingZerosAndTabs", "\t01;02;03;04;05;06;07;08\t", {1, 2, 3, 4, 5, 6}, {7, 8}}),
    [](const auto& row) { return std::string(row.param.Name); });

struct RejectedCase {
    const char* Name;
    const char* Text;
};

void PrintTo(const RejectedCase& c, std::ostream* os) { *os << c.Name; }

class DrawInputRejected : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(DrawInputRejected, IsRefusedAsABadCombination) {
    const auto input = ParseDrawNumbers(GetParam().Text);
    EXPECT_FALSE(input);
    EXPECT_EQ(input.Error(), "Введена некорректная комбинация!");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DrawInputRejected,
    ::testing::Values(RejectedCase{"DuplicateMainNumber", "1;2;3;4;5;5;7;8"},
                      RejectedCase{"DuplicateFarApart", "9;2;3;4;5;9;7;8"}, RejectedCase{"SevenWords", "1,2,3,4,5,6,7"},
                      RejectedCase{"NineWords", "1;2;3;4;5;6;7;8;9"}, RejectedCase{"ExtraZero", "1;2;3;4;5;6;0;9"},
                      RejectedCase{"ExtraAbove48", "1;2;3;4;5;6;7;49"}, RejectedCase{"MainZero", "0;2;3;4;5;6;7;8"},
                      RejectedCase{"MainAbove48", "1;2;3;4;5;49;7;8"},
                      // 264 and 257 would pass as 8 and 1 if cut to a byte before the range check.
                      RejectedCase{"ExtraWrapsToAByte", "1;2;3;4;5;6;7;264"},
                      RejectedCase{"MainWrapsToADuplicate", "1;2;3;4;5;257;7;8"},
                      RejectedCase{"Negative", "1;2;3;4;5;-6;7;8"}, RejectedCase{"NotANumber", "1;2;3;4;5;x;7;8"},
                      RejectedCase{"Fraction", "1;2;3;4;5;6.0;7;8"},
                      RejectedCase{"SpaceIsNoSeparator", "1;2;3;4;5;6 7;8"},
                      RejectedCase{"HugeNumber", "1;2;3;4;5;6;7;99999999999999999999"}, RejectedCase{"Empty", ""},
                      RejectedCase{"OnlySeparators", ";,;,"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(DrawInputText, FieldTextOfARecordParsesBackToTheSameDraw) {
    const TDrawRec rec = test::MakeDraw(77, {5, 17, 3, 44, 28, 9}, {48, 1});
    const std::string text = FormatDrawNumbers(rec);
    EXPECT_EQ(text, "5;17;3;44;28;9;48;1");
    auto input = ParseDrawNumbers(text);
    ASSERT_TRUE(input);
    EXPECT_EQ(input->Numbers, rec.Numbers);
    EXPECT_EQ(input->Extra, rec.Extra);
}

}  // namespace
}  // namespace corvel
