// corvel script show | add on scenario files.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "cli/CliRunner.h"

namespace corvel {
namespace {

class CliScript : public ::testing::Test {
  protected:
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string(), "script"});
        return test::RunCliInProcess(args);
    }
    std::string File() const { return (dir_ / "my.lsc").string(); }
    test::TempDir dir_;
};

TEST_F(CliScript, AddsLinesInTheirCanonicalFormAndShowsThem) {
    auto r = Run({"add", File(), "excl : 5#last#nex| |tsd1#even:10#lmv:1#st:3| | | | | |Мой сценарий"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "EXCL:5#LAST#NEX| |TSD1#EVEN:10#LMV:1#ST:3| | | | | |Мой сценарий\n");
    ASSERT_EQ(Run({"add", File(), ""}).ExitCode, 0);
    ASSERT_EQ(Run({"add", File(), "FULL#ALL"}).ExitCode, 0);
    // Code page 1251, CR LF; the separator is an empty line.
    EXPECT_EQ(test::ReadBytes(File()),
              "EXCL:5#LAST#NEX| |TSD1#EVEN:10#LMV:1#ST:3| | | | | |\xCC\xEE\xE9 \xF1\xF6\xE5\xED\xE0\xF0\xE8\xE9\r\n"
              "\r\nFULL:0#ALL| | | | | | | \r\n");

    r = Run({"show", File(), "--columns"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const auto lines = test::Lines(r.Out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(test::Fields(lines[1]),
              (std::vector<std::string>{"1", "Мой сценарий", "Исключить 5 тиражей; Последняя; Только новые ставки", "",
                                        "TSD1#EVEN:10#LMV:1#ST:3", "", "", "", "", ""}));
    EXPECT_EQ(lines[2], "2");
    EXPECT_EQ(test::Fields(lines[3]).at(2), "Исходный список; Все; Все создаваемые ставки");
}

TEST_F(CliScript, RefusesWhatTheEditorRefusesAndKeepsTheFile) {
    ASSERT_EQ(Run({"add", File(), "FULL#RAND"}).ExitCode, 0);
    const std::string before = test::ReadBytes(File());
    struct Case {
        const char* Line;
        const char* Message;
    };
    for (const Case& c :
         {Case{"FULL#RAND| | | | | | | |a@b", "Символы \"|\" и \"@\""},
          Case{"FULL#RAND|TSD1#NOPE:10#LMV:1#ST:3", "Фильтр 1: Неизвестный метод расчета статистики: NOPE"},
          Case{"FULL#RAND| |TSD1#EVEN:0#LMV:1#ST:3", "Фильтр 2: Введен некорректный диапазон значений!"},
          Case{"FULL#RAND|Мой", "Фильтр 1: Некорректное описание фильтра: Мой!"}}) {
        const auto r = Run({"add", File(), c.Line});
        EXPECT_EQ(r.ExitCode, 2) << c.Line;
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    }
    EXPECT_EQ(test::ReadBytes(File()), before);

    // A file that cannot be read is not replaced by the part read.
    std::filesystem::create_directory(dir_ / "folder.lsc");
    const auto r = Run({"add", (dir_ / "folder.lsc").string(), "FULL#RAND"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("Ошибка чтения файла"), std::string::npos) << r.Err;
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "folder.lsc"));
}

}  // namespace
}  // namespace corvel
