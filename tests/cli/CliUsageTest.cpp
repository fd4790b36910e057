// Bad command lines: every one is refused with exit 2 and a Russian message
// that names what was wrong, before anything is read or written.
#include <gtest/gtest.h>

#include <regex>

#include "CliRunner.h"
#include "TestSupport.h"
#include "model/DrawArchive.h"

namespace corvel {
namespace {

struct UsageCase {
    const char* Name;
    std::vector<std::string> Args;  // "{dir}" stands for the data folder
    const char* Message;            // a part of the expected message
    friend void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.Name; }
};

class CliUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, IsRefusedInRussianWithExitTwo) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    const std::string before = test::ReadBytes(dir / "CorvelLotto_6x48.ldr");
    std::vector<std::string> args;
    for (const std::string& a : GetParam().Args) args.push_back(a == "{dir}" ? dir.path().string() : a);
    const test::CliResult r = test::RunCliInProcess(args);
    EXPECT_EQ(r.ExitCode, 2) << r.Err;
    EXPECT_NE(r.Err.find(GetParam().Message), std::string::npos) << r.Err;
    // No English sentence from the parser: two English words in a row.
    EXPECT_FALSE(std::regex_search(r.Err, std::regex("[A-Za-z]{3,} [a-z]{2,}"))) << r.Err;
    EXPECT_EQ(test::ReadBytes(dir / "CorvelLotto_6x48.ldr"), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    testing::Values(
        UsageCase{"NoCommand", {"--data-dir", "{dir}"}, "Не указана команда"},
        UsageCase{"UnknownCommand", {"--data-dir", "{dir}", "bogus"}, "Неизвестная команда: bogus"},
        UsageCase{"UnknownOption", {"--data-dir", "{dir}", "draws", "--bogus"}, "Лишние аргументы: --bogus"},
        UsageCase{"MissingPositional", {"--data-dir", "{dir}", "values"}, "Не указан обязательный параметр CODE"},
        UsageCase{"MissingOptionValue", {"--data-dir", "{dir}", "draws", "--last"}, "--last"},
        UsageCase{"EmptyDataDir", {"--data-dir", "", "draws"}, "не указано имя папки данных"},
        UsageCase{"NotANumber", {"--data-dir", "{dir}", "draws", "--last", "abc"}, "не является целым числом"},
        UsageCase{"FractionForAnInteger",
                  {"--data-dir", "{dir}", "stats", "NUMS", "--sort", "1.5"},
                  "не является целым числом"},
        UsageCase{"NumberBeyondInt",
                  {"--data-dir", "{dir}", "draws", "--last", "2147483648"},
                  "вне допустимого диапазона от 0 до 2147483647"},
        UsageCase{"SortColumnOutOfRange",
                  {"--data-dir", "{dir}", "stats", "NUMS", "--sort", "20"},
                  "вне допустимого диапазона от 0 до 19"},
        UsageCase{"NegativeDrawNumber", {"--data-dir", "{dir}", "delete-draw", "-5"}, "-5"},
        UsageCase{
            "DrawNumberBeyondInt", {"--data-dir", "{dir}", "delete-draw", "4294967297"}, "вне допустимого диапазона"},
        UsageCase{"LockWaitOutOfRange", {"--data-dir", "{dir}", "--lock-wait", "-1", "draws"}, "--lock-wait"},
        UsageCase{"ExcludeLastWrapsToNegative",
                  {"--data-dir", "{dir}", "filter", "--exclude-last", "2147483648"},
                  "Некорректное количество тиражей"},
        UsageCase{"ExcludeLastWrapsToOne",
                  {"--data-dir", "{dir}", "filter", "--exclude-last", "4294967297"},
                  "Некорректное количество тиражей"},
        UsageCase{"StepWindowBeyondInt",
                  {"--data-dir", "{dir}", "filter", "--keep", "EVEN:4294967297=3:3"},
                  "Некорректное количество тиражей"},
        UsageCase{"FilterOffsetPastTheArchive",
                  {"--data-dir", "{dir}", "filter", "--offset", "1500"},
                  "Смещение должно быть меньше количества тиражей в архиве (1500)"},
        UsageCase{"StatsOffsetPastTheArchive",
                  {"--data-dir", "{dir}", "stats", "EVEN", "--offset", "1500"},
                  "Смещение должно быть меньше количества тиражей в архиве (1500)"},
        UsageCase{"DefinitionWithUnknownMethod",
                  {"--data-dir", "{dir}", "filter", "--definition", "TSD1#XXXX:10#LMV:1#ST:1"},
                  "Некорректное описание фильтра"},
        UsageCase{"DefinitionWithoutWindows",
                  {"--data-dir", "{dir}", "filter", "--definition", "TSD1#EVEN:abc#LMV:1#ST:1"},
                  "Некорректное описание фильтра"},
        UsageCase{"DefinitionWithoutLevels",
                  {"--data-dir", "{dir}", "filter", "--definition", "TSD1#EVEN:10#LMV:x#ST:1"},
                  "Некорректное описание фильтра"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(CliHelp, IsRussianAndAligned) {
    for (std::vector<std::string> args : {std::vector<std::string>{"--help"},
                                          {"filter", "--help"},
                                          {"add-draw", "--help"},
                                          {"stakes", "--help"},
                                          {"stakes", "add", "--help"},
                                          {"script", "run", "--help"},
                                          {"systems", "play", "--help"}}) {
        const test::CliResult r = test::RunCliInProcess(args);
        EXPECT_EQ(r.ExitCode, 0);
        EXPECT_NE(r.Out.find("Использование: corvel"), std::string::npos) << r.Out;
        for (const char* english :
             {"Usage", "OPTIONS", "Options", "Subcommands", "TEXT", "INT", "REQUIRED", "Positionals"})
            EXPECT_EQ(r.Out.find(english), std::string::npos) << english << " in\n" << r.Out;
        // Descriptions start in one column, counted in characters.
        for (const std::string& line : test::Lines(r.Out)) {
            if (line.rfind("  -", 0) != 0 && line.rfind("  --", 0) != 0) continue;
            std::size_t chars = 0, column = 0;
            bool gap = false;
            for (std::size_t i = 0; i < line.size(); ++i) {
                const auto c = static_cast<unsigned char>(line[i]);
                if ((c & 0xC0) == 0x80) continue;
                if (gap && c != ' ') {
                    column = chars;
                    break;
                }
                gap = i + 1 < line.size() && line[i] == ' ' && line[i + 1] == ' ' && chars > 2;
                ++chars;
            }
            if (column) {
                EXPECT_EQ(column, 30u) << line;
            }
        }
    }
}

TEST(CliOutput, ControlCharactersInADateStayOnTheirLine) {
    test::TempDir dir;
    test::WriteBytes(dir / "CorvelLotto_6x48.ldr", "");
    // A draw with a line break and a tab in its stored date.
    TDrawRec rec = test::MakeDraw(7, {1, 2, 3, 4, 5, 6}, {7, 8});
    rec.SetDateText("01\n01.\t027");
    WriteArchiveFile(dir / "CorvelLotto_6x48.ldr", {rec});
    const test::CliResult r = test::RunCliInProcess({"--data-dir", dir.path().string(), "draws"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const auto lines = test::Lines(r.Out);
    ASSERT_EQ(lines.size(), 2u) << r.Out;
    const auto fields = test::Fields(lines[1]);
    ASSERT_EQ(fields.size(), 11u);
    EXPECT_EQ(fields[10], "01\\x0A01.\\x09027");
}

}  // namespace
}  // namespace corvel
