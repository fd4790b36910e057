// corvel add-draw, edit-draw, delete-draw on a copy of the sample archive
// (1,500 draws numbered 1..1500) and on small archives of the test.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kRec = 24;
const std::vector<std::string> kDataFiles{"CorvelLotto_6x48.ldr", "CorvelLotto_6x48.lsk"};

class CliEditDraws : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        // The empty stakes file the desktop program leaves behind; the writing
        // commands take their lock on it.
        test::WriteBytes(dir_ / "CorvelLotto_6x48.lsk", "");
        sample_ = test::ReadBytes(Archive());
        ASSERT_EQ(sample_.size(), 1500 * kRec);
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string()});
        return test::RunCliInProcess(args);
    }
    fs::path Archive() const { return dir_ / "CorvelLotto_6x48.ldr"; }

    test::TempDir dir_;
    std::string sample_;
};

TEST_F(CliEditDraws, AddAppendsOneRecord) {
    const test::CliResult r = Run({"add-draw", "1501", "1, 2,3;4 ;5,6;7;8", "--date", "06.12.2026"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "");
    const std::string expected = std::string("\xDD\x05\x00\x00", 4) + std::string("\x01\x02\x03\x04\x05\x06", 6) +
                                 std::string("\x07\x08", 2) +
                                 "\x0A"
                                 "06.12.2026" +
                                 std::string(1, '\0');
    EXPECT_EQ(test::ReadBytes(Archive()), sample_ + expected);
    EXPECT_EQ(test::FolderEntries(dir_.path()), kDataFiles);
    const auto lines = test::Lines(Run({"draws", "--last", "1"}).Out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "1501\t1\t2\t3\t4\t5\t6\t7\t8\t21\t06.12.2026");
}

TEST_F(CliEditDraws, AddWithoutDateTakesToday) {
    ASSERT_EQ(Run({"add-draw", "1501", "48;1;47;2;46;3;4;4"}).ExitCode, 0);
    const TDrawsArray draws = ReadArchiveFile(Archive());
    ASSERT_EQ(draws.size(), 1501u);
    EXPECT_EQ(draws.back().Numbers, (TCombination{48, 1, 47, 2, 46, 3}));  // drawing order as typed
    EXPECT_EQ(draws.back().Extra, (std::array<std::uint8_t, 2>{4, 4}));
    EXPECT_EQ(draws.back().DateText(), "09.01.2027");
}

TEST_F(CliEditDraws, AddToAMissingArchiveCreatesIt) {
    fs::remove(Archive());
    ASSERT_EQ(Run({"add-draw", "1", "5;17;3;44;28;9;1;2", "--date", "01.02.2003"}).ExitCode, 0);
    EXPECT_EQ(ReadArchiveFile(Archive()), TDrawsArray{test::MakeDraw(1, {5, 17, 3, 44, 28, 9}, {1, 2}, "01.02.2003")});
}

TEST_F(CliEditDraws, EditChangesOnlyTheNumbersOfThatRecord) {
    const test::CliResult r = Run({"edit-draw", "750", "9;8;7;6;5;4;3;2"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    std::string expected = sample_;
    expected.replace(749 * kRec + 4, 8, "\x09\x08\x07\x06\x05\x04\x03\x02");
    EXPECT_EQ(test::ReadBytes(Archive()), expected);  // number and date kept, order unchanged
}

TEST_F(CliEditDraws, EditToAnExistingNumberKeepsBothRecords) {
    ASSERT_EQ(Run({"edit-draw", "750", "1;2;3;4;5;6;7;8", "--number", "751", "--date", "07.01.2020"}).ExitCode, 0);
    const TDrawsArray draws = ReadArchiveFile(Archive());
    ASSERT_EQ(draws.size(), 1500u);
    EXPECT_EQ(draws[749], test::MakeDraw(751, {1, 2, 3, 4, 5, 6}, {7, 8}, "07.01.2020"));
    EXPECT_EQ(draws[750].Number, 751);
    const std::string after = test::ReadBytes(Archive());
    EXPECT_EQ(after.substr(0, 749 * kRec), sample_.substr(0, 749 * kRec));
    EXPECT_EQ(after.substr(750 * kRec), sample_.substr(750 * kRec));
}

TEST_F(CliEditDraws, DeleteSeveralRemovesEachByItsNumber) {
    const test::CliResult r = Run({"delete-draw", "1500", "1", "750"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const std::string expected =
        sample_.substr(kRec, 748 * kRec) + sample_.substr(750 * kRec, 749 * kRec);  // without 1, 750, 1500
    EXPECT_EQ(test::ReadBytes(Archive()), expected);
    EXPECT_EQ(test::FolderEntries(dir_.path()), kDataFiles);
}

TEST_F(CliEditDraws, DeleteFindsDrawsInANumberingWithGapsAndDisorder) {
    const TDrawsArray draws{test::MakeDraw(10, {1, 2, 3, 4, 5, 6}),  test::MakeDraw(20, {2, 3, 4, 5, 6, 7}),
                            test::MakeDraw(5, {3, 4, 5, 6, 7, 8}),   test::MakeDraw(40, {4, 5, 6, 7, 8, 9}),
                            test::MakeDraw(30, {5, 6, 7, 8, 9, 10}), test::MakeDraw(41, {6, 7, 8, 9, 10, 11})};
    WriteArchiveFile(Archive(), draws);
    ASSERT_EQ(Run({"delete-draw", "5", "30"}).ExitCode, 0);
    EXPECT_EQ(ReadArchiveFile(Archive()), (TDrawsArray{draws[0], draws[1], draws[3], draws[5]}));
}

TEST_F(CliEditDraws, ChangeRewritesATruncatedArchiveAsWholeRecords) {
    test::WriteBytes(Archive(), sample_ + std::string(10, '\x42'));
    ASSERT_EQ(Run({"add-draw", "1501", "1;2;3;4;5;6;7;8", "--date", "06.12.2026"}).ExitCode, 0);
    const std::string after = test::ReadBytes(Archive());
    ASSERT_EQ(after.size(), 1501 * kRec);
    EXPECT_EQ(after.substr(0, sample_.size()), sample_);
    EXPECT_EQ(after.substr(sample_.size(), 4), std::string("\xDD\x05\x00\x00", 4));
}

TEST_F(CliEditDraws, UnreadableArchiveIsNotOverwritten) {
    fs::remove(Archive());
    fs::create_directory(Archive());
    const test::CliResult r = Run({"add-draw", "1", "1;2;3;4;5;6;7;8"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err.rfind("Ошибка чтения файла тиражей!\n\n", 0), 0u) << r.Err;
    EXPECT_TRUE(fs::is_directory(Archive()));
}

// Commands that are refused: nothing is written, stdout stays empty.
struct RefusalCase {
    const char* Name;
    std::vector<std::string> Args;
    int ExitCode;
    const char* Err;  // the whole of stderr, or its beginning when it ends in "..."
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.Name; }

class CliRefusal : public CliEditDraws, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(CliRefusal, LeavesTheArchiveByteIdentical) {
    const RefusalCase& c = GetParam();
    const test::CliResult r = Run(c.Args);
    EXPECT_EQ(r.ExitCode, c.ExitCode) << r.Err;
    std::string err = c.Err;
    if (err.ends_with("...")) {
        err.resize(err.size() - 3);
        EXPECT_EQ(r.Err.rfind(err, 0), 0u) << r.Err;
    } else {
        EXPECT_EQ(r.Err, err);
    }
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(test::ReadBytes(Archive()), sample_);
    EXPECT_EQ(test::FolderEntries(dir_.path()), kDataFiles);
}

const char* const kBad = "Введена некорректная комбинация!\n";

INSTANTIATE_TEST_SUITE_P(
    Commands, CliRefusal,
    ::testing::Values(
        RefusalCase{"AddDuplicateNumber", {"add-draw", "1501", "1;2;3;4;5;5;7;8"}, 2, kBad},
        RefusalCase{"AddSevenWords", {"add-draw", "1501", "1,2,3,4,5,6,7"}, 2, kBad},
        RefusalCase{"AddExtraZero", {"add-draw", "1501", "1;2;3;4;5;6;0;9"}, 2, kBad},
        RefusalCase{"AddNumberAbove48", {"add-draw", "1501", "1;2;3;4;5;49;7;8", "--date", "06.12.2026"}, 2, kBad},
        RefusalCase{"EditDuplicateNumber", {"edit-draw", "10", "1;2;3;4;5;5;7;8"}, 2, kBad},
        RefusalCase{"EditExtraZero", {"edit-draw", "10", "1;2;3;4;5;6;0;9", "--number", "11"}, 2, kBad},
        RefusalCase{"AddImpossibleDate",
                    {"add-draw", "1501", "1;2;3;4;5;6;7;8", "--date", "31.02.2026"},
                    2,
                    "Некорректная дата тиража: 31.02.2026\n"},
        RefusalCase{"AddTwoDigitYear",
                    {"add-draw", "1501", "1;2;3;4;5;6;7;8", "--date", "06.12.26"},
                    2,
                    "Некорректная дата тиража: 06.12.26\n"},
        RefusalCase{"EditDateNotInDayMonthYearPositions",
                    {"edit-draw", "750", "1;2;3;4;5;6;7;8", "--date", "7.1.2020"},
                    2,
                    "Некорректная дата тиража: 7.1.2020\n"},
        RefusalCase{"AddDrawNumberZero", {"add-draw", "0", "1;2;3;4;5;6;7;8"}, 2, "Ошибка в командной строке..."},
        RefusalCase{"AddWithoutNumbers", {"add-draw", "1501"}, 2, "Ошибка в командной строке..."},
        RefusalCase{"EditUnknownDraw",
                    {"edit-draw", "99999", "1;2;3;4;5;6;7;8"},
                    1,
                    "Тираж с номером 99999 в архиве не найден!\n"},
        RefusalCase{"DeleteUnknownDraw", {"delete-draw", "99999"}, 1, "Тираж с номером 99999 в архиве не найден!\n"},
        RefusalCase{
            "DeleteKnownAndUnknown", {"delete-draw", "5", "1501"}, 1, "Тираж с номером 1501 в архиве не найден!\n"},
        RefusalCase{
            "DeleteTheSameDrawTwice", {"delete-draw", "1500", "1500"}, 1, "Тираж с номером 1500 в архиве не найден!\n"},
        RefusalCase{"DeleteWithoutNumbers", {"delete-draw"}, 2, "Ошибка в командной строке..."},
        RefusalCase{"UnknownCommand", {"frobnicate"}, 2, "Ошибка в командной строке..."},
        RefusalCase{"NoCommand", {}, 2, "Ошибка в командной строке..."}),
    [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace corvel
