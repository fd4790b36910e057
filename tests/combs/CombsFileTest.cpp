// Combination files (.lcv): reading, writing and the open command.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "CombsTestSupport.h"
#include "FakeUiHooks.h"
#include "app/CombsCommands.h"
#include "TestSupport.h"
#include "combs/CombinationText.h"
#include "combs/CombsEdit.h"
#include "combs/CombsFile.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"

namespace corvel {
namespace {

// --- Reading --------------------------------------------------------------------

struct ReadCase {
    const char* Name;
    const char* Text;
    std::vector<TCombination> Expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.Name; }

class CombsFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CombsFileRead, TakesEveryLineOfSixWords) {
    const ReadCase& c = GetParam();
    test::TempDir dir;
    test::WriteBytes(dir / "list.lcv", c.Text);
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    ReadCombsFile(dir / "list.lcv", list);
    EXPECT_EQ(test::ItemsOf(list), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CombsFileRead,
    ::testing::Values(
        ReadCase{"CrLfLines", "1;2;3;4;5;6\r\n7;8;9;10;11;12\r\n", {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}},
        ReadCase{"JunkLinesSkipped",
                 "1;2;3;4;5\r\n\r\nhello\r\n1;2;3;4;5;6;7\r\n10,20,30,40,41,42\r\n;;;\r\n",
                 {{10, 20, 30, 40, 41, 42}}},
        ReadCase{"ValueOutsideTheGameKept", "1,2,3,4,5,99\r\n", {{1, 2, 3, 4, 5, 99}}},
        ReadCase{"OrderKept", "48;1;30;2;17;5\r\n", {{48, 1, 30, 2, 17, 5}}},
        ReadCase{"EmptyPiecesSkipped", ";;1;;2,3,,4;5;6;\r\n", {{1, 2, 3, 4, 5, 6}}},
        ReadCase{"BlankPiecesSkipped", "1, 2, 3, 4, 5, 6, \r\n", {{1, 2, 3, 4, 5, 6}}},
        ReadCase{"WordsTrimmed", " 1 ;\t2;3 ;4;5;6 \r\n", {{1, 2, 3, 4, 5, 6}}},
        ReadCase{"NotANumberIsZero", "1;x;3;4;5 5;6\r\n", {{1, 0, 3, 4, 0, 6}}},
        ReadCase{"OutsideTheByteRangeIsZero", "256;-1;300;255;0;7\r\n", {{0, 0, 0, 255, 0, 7}}},
        ReadCase{"AnyLineEnd",
                 "1;2;3;4;5;6\n2;3;4;5;6;7\r3;4;5;6;7;8",
                 {{1, 2, 3, 4, 5, 6}, {2, 3, 4, 5, 6, 7}, {3, 4, 5, 6, 7, 8}}},
        ReadCase{"ByteOrderMarkIgnored",
                 "\xEF\xBB\xBF"
                 "1;2;3;4;5;6\r\n",
                 {{1, 2, 3, 4, 5, 6}}},
        ReadCase{"EmptyFile", "", {}}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(CombsFileLine, AgreesWithSplittingTheLineAndReadingEachWord) {
    std::mt19937 random(4812);
    const std::string pieceCharacters = "0123456789+- \tx";
    std::uniform_int_distribution<std::size_t> pickCharacter(0, pieceCharacters.size() - 1);
    std::uniform_int_distribution<int> pieceLength(0, 4), pieceCount(5, 8), coin(0, 1);
    for (int n = 0; n < 20000; ++n) {
        std::string line;
        const int pieces = pieceCount(random);
        for (int p = 0; p < pieces; ++p) {
            if (p) line += coin(random) ? ',' : ';';
            for (int k = pieceLength(random); k > 0; --k) line += pieceCharacters[pickCharacter(random)];
        }
        const TLcvLine parsed = ParseLcvLine(line);
        const TLineWords words = SplitLineWords(line, TSeparators(",;"));
        ASSERT_EQ(std::min(parsed.Words, 7), words.Count) << '"' << line << '"';
        for (int i = 0; i < std::min(words.Count, 6); ++i)
            ASSERT_EQ(parsed.Numbers[static_cast<std::size_t>(i)],
                      LcvWordToByte(words.Words[static_cast<std::size_t>(i)]))
                << '"' << line << "\" word " << i;
    }
}

std::string Lines(int count, const char* line) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line;
    return text;
}

TEST(CombsFileRead, FillsTheListToItsCapacity) {
    test::TempDir dir;
    test::WriteBytes(dir / "ten.lcv", Lines(10, "1;2;3;4;5;6\r\nskipped line\r\n"));
    TCombsArray list(10);
    ReadCombsFile(dir / "ten.lcv", list);
    EXPECT_EQ(list.Count(), 10U);
}

TEST(CombsFileRead, MoreCombinationsThanTheListHoldsAreRefusedWithTheListUnchanged) {
    test::TempDir dir;
    test::WriteBytes(dir / "eleven.lcv", Lines(11, "1;2;3;4;5;6\r\njunk\r\n"));
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    try {
        ReadCombsFile(dir / "eleven.lcv", list);
        ADD_FAILURE() << "the file was read";
    } catch (const ECorvelError& e) {
        EXPECT_EQ(std::string(e.what()), Format(texts::kCombsTooMany, {11, 10}));
        EXPECT_EQ(std::string(e.what()),
                  "Слишком много комбинаций: 11, а список вмещает не более 10. Список комбинаций "
                  "не изменен!");
    }
    EXPECT_EQ(test::ItemsOf(list), test::Sentinel());
}

// --- Writing --------------------------------------------------------------------

TEST(CombsFileWrite, WritesSemicolonsAndCrLfWithValuesAsHeld) {
    test::TempDir dir;
    TCombsArray list(10);
    test::Fill(list, {{1, 2, 3, 4, 5, 6}, {48, 1, 0, 255, 99, 10}});
    WriteCombsFile(dir / "out.lcv", list);
    EXPECT_EQ(test::ReadBytes(dir / "out.lcv"), "1;2;3;4;5;6\r\n48;1;0;255;99;10\r\n");
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"out.lcv"});
}

TEST(CombsFileWrite, EveryByteValueReadsBackAsWritten) {
    test::TempDir dir;
    TCombsArray list(50);
    std::vector<TCombination> all;
    for (int v = 0; v < 256; v += 6) {
        TCombination c{};
        for (int i = 0; i < 6; ++i) c[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((v + i) % 256);
        all.push_back(c);
    }
    test::Fill(list, all);
    WriteCombsFile(dir / "bytes.lcv", list);
    TCombsArray back(50);
    ReadCombsFile(dir / "bytes.lcv", back);
    EXPECT_EQ(test::ItemsOf(back), all);
}

TEST(CombsFileWrite, EmptyListGivesAnEmptyFile) {
    test::TempDir dir;
    TCombsArray list(1);
    WriteCombsFile(dir / "empty.lcv", list);
    EXPECT_EQ(test::ReadBytes(dir / "empty.lcv"), "");
}

// --- Commands -------------------------------------------------------------------

TEST(LoadCombsFile, MissingFileShowsTheReadErrorAndKeepsTheList) {
    test::TempDir dir;
    const auto file = dir / "missing.lcv";
    test::FakeUiHooks hooks;
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    EXPECT_FALSE(LoadCombsFile(list, file, hooks));
    ASSERT_EQ(hooks.Errors.size(), 1U);
    EXPECT_EQ(hooks.Errors[0], ErrorReport(Format(texts::kCombsFileReadError, {file.string()}),
                                           file.string() + ": Файл или папка не найдены"));
    EXPECT_EQ(test::ItemsOf(list), test::Sentinel());
    EXPECT_EQ(hooks.Busy, 0);
}

TEST(SaveCombsFile, MissingFolderShowsTheWriteError) {
    test::TempDir dir;
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    test::FakeUiHooks hooks;
    const auto badFile = dir / "no such folder" / "out.lcv";
    EXPECT_FALSE(SaveCombsFile(list, badFile, hooks));
    ASSERT_EQ(hooks.Errors.size(), 1U);
    EXPECT_EQ(hooks.Errors[0].rfind(ErrorReport(Format(texts::kCombsFileWriteError, {badFile.string()}), ""), 0), 0U)
        << hooks.Errors[0];
    EXPECT_FALSE(std::filesystem::exists(badFile));
    EXPECT_EQ(hooks.Busy, 0);
}

TEST(OpenCombsFile, SuccessForgetsTheUndoCopyFailureKeepsEverything) {
    test::TempDir dir;
    test::WriteBytes(dir / "good.lcv", "1;2;3;4;5;6\r\n");
    TCombsList combs(10);
    test::Fill(combs.Current(), test::Sentinel());
    combs.SaveUndo();
    test::FakeUiHooks hooks;

    EXPECT_FALSE(OpenCombsFile(combs, dir / "missing.lcv", hooks));
    EXPECT_EQ(test::ItemsOf(combs.Current()), test::Sentinel());
    EXPECT_TRUE(combs.CanUndo());
    EXPECT_EQ(hooks.Statuses.front(), Format(texts::kCombsFileLoading, {(dir / "missing.lcv").string()}));

    EXPECT_TRUE(OpenCombsFile(combs, dir / "good.lcv", hooks));
    EXPECT_EQ(test::ItemsOf(combs.Current()), (std::vector<TCombination>{{1, 2, 3, 4, 5, 6}}));
    EXPECT_FALSE(combs.CanUndo());
    EXPECT_EQ(hooks.Statuses.back(), "");
}

}  // namespace
}  // namespace corvel
