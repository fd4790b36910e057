// Systems: reading their text (any separator, every index checked against the
// count of numbers), their file names, the chosen numbers of a list in order
// of first appearance, and the play over a hand-made system, whole and in
// list mode.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/Errors.h"
#include "stakes/SystemFile.h"

namespace corvel {
namespace {

TEST(SystemText, ReadsSixIndicesPerLineWhateverTheSeparators) {
    const auto lines =
        ParseSystemText("01 02 03 04 05 06\r\n07*8+9,10-11.12\n\n1/2:3;4=5\\6\r\n7_8|9~10\t11 12\r\n   \r\n", 12);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (TSystemLine{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(lines[1], (TSystemLine{7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(lines[2], (TSystemLine{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(lines[3], (TSystemLine{7, 8, 9, 10, 11, 12}));
}

TEST(SystemText, RefusesEveryFaultyLineNamingIt) {
    struct Case {
        const char* Text;
        const char* Message;
    };
    const Case cases[] = {
        {"1 2 3 4 5 6\n1 2 3 4 5 13\n", "Строка 2 системы: \"13\" не является номером числа от 1 до 12."},
        {"0 2 3 4 5 6\n", "Строка 1 системы: \"0\" не является номером числа от 1 до 12."},
        {"1 2 3 4 5 x6\n", "Строка 1 системы: \"x6\" не является номером числа от 1 до 12."},
        {"1 2 3 4 5 99999999999\n", "Строка 1 системы: \"99999999999\" не является номером числа от 1 до 12."},
        {"1 2 3 4 5 5\n", "Строка 1 системы: номер числа 5 повторяется."},
        {"1 2 3 4 5\n", "Строка 1 системы содержит 5 чисел, а должна содержать 6."},
        {"\n1 2 3 4 5 6 7\n", "Строка 2 системы содержит 7 чисел, а должна содержать 6."},
        {"\r\n \r\n", "Файл системы не содержит ни одной комбинации."},
    };
    for (const Case& c : cases) {
        try {
            ParseSystemText(c.Text, 12);
            ADD_FAILURE() << c.Text;
        } catch (const EInvalidArgument& e) {
            EXPECT_EQ(std::string(e.what()), c.Message);
        }
    }
}

TEST(SystemFileNames, AreWrittenAndReadBack) {
    EXPECT_EQ(SystemFileName(12, 3, 42), "6-12-3_0042.dat");
    EXPECT_EQ(SystemFileName(7, 0, 12345), "6-07-0_12345.dat");
    const auto parsed = ParseSystemFileName("6-12-3_0042.dat");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->Numbers, 12);
    EXPECT_EQ(parsed->Block, 3);
    EXPECT_EQ(parsed->Id, 42);
    for (const char* name : {"5-12-3_0042.dat", "6-12-3_0042.txt", "6-123_0042.dat", "6-1-3_0042.dat",
                             "6-12-3-0042.dat", "6-12-x_0042.dat", "6-.dat"})
        EXPECT_FALSE(ParseSystemFileName(name)) << name;
}

TEST(SystemFileNames, TheFirstFileForTheCountIsFound) {
    test::TempDir dir;
    test::WriteBytes(dir / "6-12-3_0042.dat", "");
    test::WriteBytes(dir / "6-12-0_0007.dat", "");
    test::WriteBytes(dir / "6-13-0_0001.dat", "");
    test::WriteBytes(dir / "6-11.dat", "");
    EXPECT_EQ(FindSystemFile(dir.path(), 12), dir / "6-12-0_0007.dat");
    EXPECT_EQ(FindSystemFile(dir.path(), 13), dir / "6-13-0_0001.dat");
    EXPECT_FALSE(FindSystemFile(dir.path(), 11));
    EXPECT_FALSE(FindSystemFile(dir / "missing", 12));
}

// A list over eight numbers: 5 9 20 31 40 44 first, then 2 and 45 from the
// second combination, so index 1 is 5 and index 7 is 2.
void FillList(TCombsArray& list) {
    list.Append({5, 9, 20, 31, 40, 44});
    list.Append({2, 9, 20, 31, 40, 45});
    list.Append({5, 9, 20, 31, 40, 45});
}

TEST(SystemPlay, ChosenNumbersKeepTheOrderOfFirstAppearance) {
    TCombsArray list(8);
    FillList(list);
    EXPECT_EQ(ChosenNumbers(list), (std::vector<std::uint8_t>{5, 9, 20, 31, 40, 44, 2, 45}));
}

TEST(SystemPlay, MapsTheSystemOntoTheNumbersWholeOrOnlyWhereTheListHasIt) {
    test::TempDir dir;
    test::WriteBytes(dir / "6-08-0_0001.dat",
                     "01 02 03 04 05 06\r\n"    // 5 9 20 31 40 44: in the list
                     "07,08,1,2,3,4\r\n"        // 2 5 9 20 31 45: not in it
                     "1;2;3;4;5;7\r\n"          // 2 5 9 20 31 40: not in it
                     "07 02 03 04 05 08\r\n");  // 2 9 20 31 40 45: in it
    TCombsArray list(8);
    FillList(list);
    const TSystemPlay whole = PlanSystemPlay(dir.path(), list, false);
    EXPECT_EQ(whole.Numbers, 8);
    EXPECT_EQ(whole.Name, "6-08-0_0001");
    EXPECT_EQ(whole.Title, "Системная игра для 8 чисел [вся система]: 6-08-0_0001");
    EXPECT_EQ(whole.Sample, 4);
    EXPECT_EQ(whole.Combinations,
              (std::vector<TCombination>{
                  {5, 9, 20, 31, 40, 44}, {2, 5, 9, 20, 31, 45}, {2, 5, 9, 20, 31, 40}, {2, 9, 20, 31, 40, 45}}));
    const TSystemPlay listed = PlanSystemPlay(dir.path(), list, true);
    EXPECT_EQ(listed.Title, "Системная игра для 8 чисел [комбинации]: 6-08-0_0001");
    EXPECT_EQ(listed.Sample, 3);
    EXPECT_EQ(listed.Combinations, (std::vector<TCombination>{{5, 9, 20, 31, 40, 44}, {2, 9, 20, 31, 40, 45}}));
}

TEST(SystemPlay, AMissingSystemOrAFaultyFileIsAnError) {
    test::TempDir dir;
    TCombsArray list(8);
    FillList(list);
    try {
        PlanSystemPlay(dir.path(), list, false);
        ADD_FAILURE();
    } catch (const ECorvelError& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("Система для 8 чисел не найдена или не загружена на компьютер!"))
            << e.what();
    }
    // Index 9 of a system for eight numbers would read past the chosen numbers.
    test::WriteBytes(dir / "6-08-0_0001.dat", "1 2 3 4 5 6\r\n1 2 3 4 5 9\r\n");
    try {
        PlanSystemPlay(dir.path(), list, false);
        ADD_FAILURE();
    } catch (const ECorvelError& e) {
        EXPECT_EQ(
            std::string(e.what()),
            "Ошибка загрузки комбинаций системы!\r\rСтрока 2 системы: \"9\" не является номером числа от 1 до 8.");
    }
}

}  // namespace
}  // namespace corvel
