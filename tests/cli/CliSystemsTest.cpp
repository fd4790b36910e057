// corvel systems list | play on a hand-made system for eight numbers.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "cli/CliRunner.h"

namespace corvel {
namespace {

class CliSystems : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        std::filesystem::create_directory(dir_ / "Systems");
        // Eight numbers in order of appearance: 5 9 20 31 40 44 2 45.
        test::WriteBytes(dir_ / "list.lcv", "5;9;20;31;40;44\r\n2;9;20;31;40;45\r\n5;9;20;31;40;45\r\n");
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string(), "systems"});
        return test::RunCliInProcess(args);
    }
    std::string List() { return (dir_ / "list.lcv").string(); }
    test::TempDir dir_;
};

TEST_F(CliSystems, PlaysTheWholeSystemOrOnlyTheListsCombinations) {
    test::WriteBytes(dir_ / "Systems" / "6-08-0_0005.dat", "01 02 03 04 05 06\r\n07 08 01 02 03 04\r\n");
    const auto whole = Run({"play", List(), "--draws", "2"});
    ASSERT_EQ(whole.ExitCode, 0) << whole.Err;
    // Two stakes for each of two draws, a separator before the second line's series.
    EXPECT_EQ(whole.Out,
              "Системная игра для 8 чисел [вся система]: 6-08-0_0005\nДобавлено записей: 7. Всего записей: 7.\n");
    const auto listed = Run({"play", List(), "--list-only", "--draw", "1400", "--comment", "Моя"});
    ASSERT_EQ(listed.ExitCode, 0) << listed.Err;
    EXPECT_EQ(listed.Out,
              "Системная игра для 8 чисел [комбинации]: 6-08-0_0005\nДобавлено записей: 1. Всего записей: 8.\n");
    const auto rows = test::Lines(test::RunCliInProcess({"--data-dir", dir_.path().string(), "stakes", "list"}).Out);
    // The header, seven records, then the list-mode stake, checked at once
    // against draw 1400.
    ASSERT_EQ(rows.size(), 9u);
    const auto last = test::Fields(rows[8]);
    EXPECT_EQ(last[1], "Система");
    EXPECT_EQ(last[2], "1400");
    EXPECT_EQ(last[3], "1");
    EXPECT_EQ(last[4], "5;9;20;31;40;44");
    EXPECT_EQ(last.back(), "Моя");
}

TEST_F(CliSystems, ListsTheLocalSystemsAndRefusesWhatCannotBePlayed) {
    const auto missing = Run({"play", List()});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_NE(missing.Err.find("Система для 8 чисел не найдена"), std::string::npos) << missing.Err;
    test::WriteBytes(dir_ / "Systems" / "6-08-1_0002.dat", "1 2 3 4 5 6\r\n1 2 3 4 5 9\r\n");
    const auto bad = Run({"play", List()});
    EXPECT_EQ(bad.ExitCode, 1);
    EXPECT_NE(bad.Err.find("\"9\" не является номером числа от 1 до 8"), std::string::npos) << bad.Err;
    EXPECT_EQ(Run({"play", List(), "--draws", "0"}).ExitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "CorvelLotto_6x48.lsk") &&
                 std::filesystem::file_size(dir_ / "CorvelLotto_6x48.lsk") > 0);

    test::WriteBytes(dir_ / "Systems" / "6-07-0_0001.dat", "1 2 3 4 5 6\r\n1 2 3 4 5 7\r\n2 3 4 5 6 7\r\n");
    const auto list = Run({"list"});
    ASSERT_EQ(list.ExitCode, 0) << list.Err;
    EXPECT_NE(list.Err.find("Список систем не доступен!"), std::string::npos);
    const auto lines = test::Lines(list.Out);
    ASSERT_EQ(lines.size(), 3u);
    const auto first = test::Fields(lines[1]);
    EXPECT_EQ(first[0], "6-07-0_0001");
    EXPECT_EQ(first[1], "07");
    EXPECT_EQ(first[3], "3");
    EXPECT_EQ(first[5], "Загружена");
    EXPECT_NE(lines[2].find("\"9\" не является номером числа"), std::string::npos);
}

}  // namespace
}  // namespace corvel
