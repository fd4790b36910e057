// corvel script show | add on scenario files.
#include <gtest/gtest.h>

#include <filesystem>

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

namespace corvel {
namespace {

// script run | test over the sample archive.
class CliScriptRun : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        test::WriteBytes(dir_ / "t.lsc", "FULL#RAND|TSD1#EVEN:10#LMV:1#ST:3| | | | | | |Even\r\n");
    }
    test::CliResult Run(const test::TempDir& dir, std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir.path().string(), "script"});
        return test::RunCliInProcess(args);
    }
    test::TempDir dir_;
};

TEST_F(CliScriptRun, ARunWithTheSameSeedMakesTheSameStakes) {
    test::TempDir other;
    test::CopySampleArchive(other.path());
    const auto a = Run(dir_, {"run", (dir_ / "t.lsc").string(), "--seed", "12345"});
    const auto b = Run(other, {"run", (dir_ / "t.lsc").string(), "--seed", "12345"});
    ASSERT_EQ(a.ExitCode, 0) << a.Err;
    ASSERT_EQ(b.ExitCode, 0) << b.Err;
    const auto lines = test::Lines(a.Out);
    ASSERT_EQ(lines.size(), 1u);
    const auto fields = test::Fields(lines[0]);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0], "1501");
    EXPECT_EQ(fields[2], "01.001: Even @ FULL#RAND + TSD#EVEN:10#LMV:1#ST:3");
    EXPECT_EQ(a.Out, b.Out);
    EXPECT_NE(a.Err.find("12345"), std::string::npos);
}

TEST_F(CliScriptRun, ATestPrintsTheReportBesideRandomStakesAndKeepsIt) {
    const auto r = Run(dir_, {"test", (dir_ / "t.lsc").string(), "--count", "4", "--seed", "7", "--log"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Out.find("Строка 1: FULL#RAND|TSD1#EVEN:10"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("Тиражей: 4, ставок: 4"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("повторов: 10000"), std::string::npos) << r.Out;
    int logs = 0, reports = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir_.path())) {
        const std::string name = e.path().filename().string();
        logs += name.starts_with("ScriptLog_");
        reports += name.starts_with("ScriptReport_");
    }
    EXPECT_EQ(logs, 1);
    EXPECT_EQ(reports, 1);
}

TEST_F(CliScriptRun, RefusalsChangeNothing) {
    EXPECT_EQ(Run(dir_, {"test", (dir_ / "t.lsc").string(), "--count", "0"}).ExitCode, 2);
    EXPECT_EQ(Run(dir_, {"test", (dir_ / "t.lsc").string()}).ExitCode, 2);
    const auto missing = Run(dir_, {"run", (dir_ / "none.lsc").string()});
    EXPECT_EQ(missing.ExitCode, 1);
    const auto tooMany = Run(dir_, {"test", (dir_ / "t.lsc").string(), "--count", "1500"});
    EXPECT_EQ(tooMany.ExitCode, 1);
    EXPECT_NE(tooMany.Err.find("Количество тестов должно быть от 1 до 1499"), std::string::npos) << tooMany.Err;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "CorvelLotto_6x48.lsk") &&
                 std::filesystem::file_size(dir_ / "CorvelLotto_6x48.lsk") > 0);
}

}  // namespace
}  // namespace corvel
