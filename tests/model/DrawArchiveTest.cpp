// The archive file and the look-ups on the array of draws.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"

namespace corvel {
namespace {

std::string EncodeAll(const TDrawsArray& draws) {
    std::string bytes(draws.size() * TDrawRec::kFileSize, '\0');
    for (std::size_t i = 0; i < draws.size(); ++i)
        EncodeDrawRec(draws[i], reinterpret_cast<std::uint8_t*>(bytes.data()) + i * TDrawRec::kFileSize);
    return bytes;
}

// Draws numbered as given, each with distinct numbers so records can be told apart.
TDrawsArray DrawsNumbered(const std::vector<int>& numbers) {
    TDrawsArray draws;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        auto k = static_cast<std::uint8_t>(i % 40);
        draws.push_back(test::MakeDraw(
            numbers[i],
            {static_cast<std::uint8_t>(k + 1), static_cast<std::uint8_t>(k + 9), static_cast<std::uint8_t>(k + 3),
             static_cast<std::uint8_t>(k + 4), static_cast<std::uint8_t>(k + 5), static_cast<std::uint8_t>(k + 6)},
            {static_cast<std::uint8_t>(k + 2), 48}, "10.03.2021"));
    }
    return draws;
}

// --- Reading the file -------------------------------------------------------

struct SizeCase {
    const char* Name;
    std::size_t FileSize;
    std::size_t Draws;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.Name; }

class ArchiveFileSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ArchiveFileSize, OnlyWholeRecordsAreRead) {
    const SizeCase& c = GetParam();
    test::TempDir dir;
    const TDrawsArray source = DrawsNumbered({101, 102, 103});
    std::string bytes = EncodeAll(source);
    bytes += std::string(24, '\x7F');  // anything past the whole records is ignored
    bytes.resize(c.FileSize);
    test::WriteBytes(dir / "a.ldr", bytes);

    const TDrawsArray read = ReadArchiveFile(dir / "a.ldr");
    ASSERT_EQ(read.size(), c.Draws);
    for (std::size_t i = 0; i < c.Draws; ++i) EXPECT_EQ(read[i], source[i]) << "record " << i;
}

INSTANTIATE_TEST_SUITE_P(Sizes, ArchiveFileSize,
                         ::testing::Values(SizeCase{"Empty", 0, 0}, SizeCase{"OneByteShortOfARecord", 23, 0},
                                           SizeCase{"ExactlyOneRecord", 24, 1}, SizeCase{"TwoRecordsAndOneByte", 49, 2},
                                           SizeCase{"ThreeRecordsAndPartOfAFourth", 95, 3}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(ArchiveFile, MissingFileIsAnEmptyArchiveWithoutError) {
    test::TempDir dir;
    EXPECT_TRUE(ReadArchiveFile(dir / "none.ldr").empty());
}

TEST(ArchiveFile, UnreadableFileReportsTheReason) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "a.ldr");  // exists, but cannot be read as a file
    const std::string error = test::ErrorOf([&] { ReadArchiveFile(dir / "a.ldr"); });
    EXPECT_NE(error.find("a.ldr"), std::string::npos) << error;
}

TEST(ArchiveFile, ArchiveOverTheRecordLimitIsRefusedUnread) {
    test::TempDir dir;
    const auto file = dir / "a.ldr";
    test::WriteBytes(file, "");
    // Sparse: 10,000,001 records in size without the disk space (and a reader
    // that loaded it would need 240 MB).
    std::filesystem::resize_file(file, (kMaxArchiveRecords + 1) * TDrawRec::kFileSize);
    const std::string error = test::ErrorOf([&] { ReadArchiveFile(file); });
    EXPECT_EQ(error.rfind(file.string() + ": ", 0), 0u) << error;
    EXPECT_NE(error.find("10000001 записей"), std::string::npos) << error;
    EXPECT_NE(error.find("допустимо не больше 10000000"), std::string::npos) << error;
}

TEST(ArchiveFile, WriteOverTheRecordLimitIsRefusedAndTheFileKept) {
    test::TempDir dir;
    const auto file = dir / "a.ldr";
    const TDrawsArray small = DrawsNumbered({1, 2});
    WriteArchiveFile(file, small);
    const std::string before = test::ReadBytes(file);
    const TDrawsArray huge(kMaxArchiveRecords + 1, small[0]);
    try {
        WriteArchiveFile(file, huge);
        ADD_FAILURE() << "an archive over the limit was written";
    } catch (const EFileError& e) {
        EXPECT_NE(std::string(e.what()).find("не может содержать больше 10000000 записей"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(test::ReadBytes(file), before);
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"a.ldr"});
}

TEST(ArchiveFile, WriteGivesRecordsInArrayOrderAndReadsBackByteExact) {
    test::TempDir dir;
    // Not ascending, one undated, one with foreign bytes after its date.
    TDrawsArray draws = DrawsNumbered({30, 10, 20});
    draws[1].SetDateText("");
    draws[2].DateBytes[10] = 'x';
    WriteArchiveFile(dir / "a.ldr", draws);
    const std::string written = test::ReadBytes(dir / "a.ldr");
    EXPECT_EQ(written, EncodeAll(draws));

    const TDrawsArray read = ReadArchiveFile(dir / "a.ldr");
    EXPECT_EQ(read, draws);
    WriteArchiveFile(dir / "b.ldr", read);
    EXPECT_EQ(test::ReadBytes(dir / "b.ldr"), written);

    // A rewrite replaces the whole file, also with a shorter archive.
    WriteArchiveFile(dir / "a.ldr", TDrawsArray{draws[0]});
    EXPECT_EQ(test::ReadBytes(dir / "a.ldr"), written.substr(0, 24));
    WriteArchiveFile(dir / "a.ldr", {});
    EXPECT_EQ(test::ReadBytes(dir / "a.ldr"), "");
}

// --- Finding a draw by its number -------------------------------------------

struct FindCase {
    const char* Name;
    std::vector<int> Numbers;
    int Wanted;
    int Index;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.Name; }

class FindDraw : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindDraw, GivesTheIndexOfTheNumber) {
    const FindCase& c = GetParam();
    EXPECT_EQ(FindDrawIndex(DrawsNumbered(c.Numbers), c.Wanted), c.Index);
}

INSTANTIATE_TEST_SUITE_P(
    Archives, FindDraw,
    ::testing::Values(FindCase{"EmptyArchive", {}, 1, -1}, FindCase{"Oldest", {5, 6, 7, 8}, 5, 0},
                      FindCase{"Newest", {5, 6, 7, 8}, 8, 3},
                      FindCase{"Contiguous", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 7, 6},
                      FindCase{"GuessBelowWalksUp", {1, 2, 3, 50, 51, 52, 53, 100}, 53, 6},
                      FindCase{"GuessAboveWalksDown", {1, 60, 70, 80, 90, 95, 99, 100}, 60, 1},
                      FindCase{"GapsInNumbering", {100, 101, 140, 141, 142, 143, 199, 200}, 140, 2},
                      // The walk goes up from the guess and misses the draw: only the full scan finds it.
                      FindCase{"NotAscendingFoundByFullScan", {1, 7, 3, 4, 5, 10}, 7, 1},
                      FindCase{"NewestNumberBelowOldest", {50, 40, 30, 20, 10}, 30, 2},
                      FindCase{"NewestJustBelowOldest", {5, 9, 4}, 9, 1},  // Last - First + 1 = 0
                      FindCase{"DuplicateFromScanIsTheNewer", {1, 9, 2, 9, 3, 10}, 9, 3},
                      FindCase{"NumberBelowAll", {10, 20, 30}, 5, -1}, FindCase{"NumberAboveAll", {10, 20, 30}, 35, -1},
                      FindCase{"NumberInAGap", {10, 20, 30}, 15, -1},
                      FindCase{"ExtremeNumbers", {-2147483647, 0, 2147483647}, 0, 1}),
    [](const auto& row) { return std::string(row.param.Name); });

// --- Next draw and status bar -------------------------------------------------

TEST(ArchiveNextDraw, EmptyArchive) {
    const TDrawsArray none;
    EXPECT_EQ(NextDrawNumber(none, 0), 1);
    EXPECT_EQ(NextDrawText(none, 0), "");
    EXPECT_EQ(ArchiveStatusTexts(none, 0), (std::array<std::string, 3>{"Архив тиражей: 0", "Следующий тираж: 1", ""}));
}

TEST(ArchiveNextDraw, OffsetThreeOfTenDraws) {
    // Numbers with a gap so "index 6 plus 1" differs from "index 7".
    TDrawsArray draws = DrawsNumbered({1, 2, 3, 4, 5, 6, 70, 80, 90, 100});
    draws[7].Numbers = {5, 17, 3, 44, 28, 9};
    EXPECT_EQ(LastAnalysedIndex(draws, 3), 6);
    EXPECT_EQ(NextDrawNumber(draws, 3), 71);
    EXPECT_EQ(NextDrawText(draws, 3), "5;17;3;44;28;9");  // drawing order, not sorted
    EXPECT_EQ(ArchiveStatusTexts(draws, 3),
              (std::array<std::string, 3>{"Архив тиражей: 10", "Следующий тираж: 71", "5;17;3;44;28;9"}));
    // Nothing hidden: the draw after the newest, no numbers.
    EXPECT_EQ(ArchiveStatusTexts(draws, 0),
              (std::array<std::string, 3>{"Архив тиражей: 10", "Следующий тираж: 101", ""}));
    // Largest offset: everything but the oldest draw is hidden.
    EXPECT_EQ(NextDrawNumber(draws, 9), 2);
    draws[1].Numbers = {48, 1, 2, 3, 4, 47};
    EXPECT_EQ(NextDrawText(draws, 9), "48;1;2;3;4;47");
}

TEST(ArchiveNextDraw, OffsetOutsideTheArchive) {
    const TDrawsArray draws = DrawsNumbered({1, 2, 3});
    for (int offset : {-1, 3, 100}) {
        EXPECT_EQ(NextDrawNumber(draws, offset), -1) << offset;
        EXPECT_EQ(NextDrawText(draws, offset), "") << offset;
    }
    EXPECT_EQ(ArchiveStatusTexts(draws, 3)[1], "Следующий тираж: -1");
}

// --- Reading draws by position, deleting ----------------------------------------

TEST(ArchiveAccess, ListIndexCountsFromTheNewest) {
    TDrawsArray draws = DrawsNumbered({1, 2, 3});
    draws[2].Numbers = {40, 30, 20, 10, 5, 1};
    EXPECT_EQ(DrawNumbersAt(draws, 0), (TCombination{40, 30, 20, 10, 5, 1}));  // unsorted
    EXPECT_EQ(DrawNumbersAt(draws, 2), draws[0].Numbers);
    EXPECT_EQ(DrawNumbersAt(draws, 3), TCombination{});
    EXPECT_EQ(DrawNumbersAt(draws, -1), TCombination{});
    EXPECT_EQ(DrawNumbersAt({}, 0), TCombination{});
}

TEST(ArchiveAccess, GetDrawSortsACopyAndKeepsExtras) {
    TDrawsArray draws = DrawsNumbered({1, 2});
    draws[1] = test::MakeDraw(2, {40, 30, 20, 10, 5, 1}, {44, 3}, "02.02.2022");
    const TDrawRec sorted = GetDraw(draws, 1, true);
    EXPECT_EQ(sorted.Numbers, (TCombination{1, 5, 10, 20, 30, 40}));
    EXPECT_EQ(sorted.Extra, (std::array<std::uint8_t, 2>{44, 3}));
    EXPECT_EQ(sorted.Number, 2);
    EXPECT_EQ(sorted.DateText(), "02.02.2022");
    EXPECT_EQ(GetDraw(draws, 1, false), draws[1]);
    EXPECT_EQ(draws[1].Numbers, (TCombination{40, 30, 20, 10, 5, 1}));  // the array keeps drawing order
    EXPECT_EQ(GetDraw(draws, 2, true), TDrawRec{});
    EXPECT_EQ(GetDraw(draws, -1, false), TDrawRec{});
}

TEST(ArchiveAccess, DeleteMovesLaterRecordsDown) {
    const TDrawsArray original = DrawsNumbered({10, 20, 30, 40});
    TDrawsArray draws = original;
    DeleteDraw(draws, 1);
    EXPECT_EQ(draws, (TDrawsArray{original[0], original[2], original[3]}));
    DeleteDraw(draws, 2);
    EXPECT_EQ(draws, (TDrawsArray{original[0], original[2]}));
}

TEST(ArchiveAccess, DeleteOutsideTheArchiveNamesTheIndex) {
    TDrawsArray draws = DrawsNumbered({10, 20, 30});
    for (int index : {3, -1}) {
        try {
            DeleteDraw(draws, index);
            ADD_FAILURE() << "no error for index " << index;
        } catch (const EInvalidArgument& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Запись со индексом " + std::to_string(index) + " в файле данных не найдена!");
        }
    }
    EXPECT_EQ(draws, DrawsNumbered({10, 20, 30}));
    TDrawsArray none;
    EXPECT_THROW(DeleteDraw(none, 0), EInvalidArgument);
}

}  // namespace
}  // namespace corvel
