// The decimal texts of byte values and the splitting of a line into words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "combs/CombinationText.h"

namespace corvel {
namespace {

TEST(CombinationTextBytes, EveryByteValue) {
    for (int v = 0; v < 256; ++v) {
        const auto b = static_cast<std::uint8_t>(v);
        EXPECT_EQ(ByteDecimal(b), std::to_string(v));
        EXPECT_EQ(ByteTwoDigits(b), (v < 10 ? "0" : "") + std::to_string(v));
    }
}

std::vector<std::string> Words(std::string_view line, std::string_view separators) {
    const TLineWords words = SplitLineWords(line, TSeparators(separators));
    return {words.Words.begin(), words.Words.begin() + words.Count};
}

TEST(CombinationTextSplit, TrimsDropsBlankPiecesAndStopsAfterSeven) {
    EXPECT_EQ(Words(" 1 ;;\t2 ,3", ",;"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Words("", ",;"), std::vector<std::string>{});
    EXPECT_EQ(Words(" ; , ", ",;"), std::vector<std::string>{});
    EXPECT_EQ(Words("1;2;3;4;5;6;7;8;9", ";"), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_FALSE(SplitLineWords("1;2;3;4;5;6;7;8", TSeparators(";")).IsCombination());
    EXPECT_TRUE(SplitLineWords("1;2;3;4;5;6", TSeparators(";")).IsCombination());
}

TEST(CombinationTextLines, AnyLineEndAndNoEmptyLines) {
    std::vector<std::string> lines;
    ForEachLine("a\r\nb\n\nc\rd\r\n\r\n", [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d"}));
}

}  // namespace
}  // namespace corvel
