// corvel stakes: the stakes tab's operations on a hand-made archive and
// prize table (stake price 1.5; 10 for three matches, 1000 for six). Every
// figure is worked out by hand: C(48, 6) = 12,271,512 draws, of which
// C(6, 3) C(42, 3) = 229,600 give a six-number stake three matches.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"
#include "stakes/StakeRecord.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

class CliStakes : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteArchiveFile(dir_ / "CorvelLotto_6x48.ldr",
                         {test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {7, 8, 9, 10, 11, 12})});
        test::WriteBytes(dir_ / "CorvelLotto_6x48.ini",
                         "[STAKES]\r\nCost=1.5\r\nProfits=2\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=10\r\n"
                         "Profit_1_Overlap=6\r\nProfit_1_Profit=1000\r\n");
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir_.path().string()});
        return test::RunCliInProcess(args);
    }
    // The rows of `stakes list`, without the header, as fields.
    std::vector<std::vector<std::string>> Rows(std::vector<std::string> extra = {}) {
        std::vector<std::string> args{"stakes", "list"};
        args.insert(args.end(), extra.begin(), extra.end());
        const test::CliResult r = Run(args);
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        std::vector<std::vector<std::string>> rows;
        const auto lines = test::Lines(r.Out);
        for (std::size_t i = 1; i < lines.size(); ++i) rows.push_back(test::Fields(lines[i]));
        return rows;
    }
    std::string StakesBytes() const {
        return fs::exists(dir_ / "CorvelLotto_6x48.lsk") ? test::ReadBytes(dir_ / "CorvelLotto_6x48.lsk") : "";
    }
    std::map<std::string, std::string> Summary() {
        const test::CliResult r = Run({"stakes", "summary"});
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        std::map<std::string, std::string> figures;
        for (const std::string& line : test::Lines(r.Out)) {
            const auto f = test::Fields(line);
            figures[f.at(0)] = f.at(1);
        }
        return figures;
    }

    test::TempDir dir_;
};

using Row = std::vector<std::string>;
Row SeparatorAt(int row) {
    Row r(10, "");
    r[0] = std::to_string(row);
    return r;
}

TEST_F(CliStakes, SeriesIsCheckedWhenItsDrawIsAddedAndSummed) {
    auto r = Run({"stakes", "add", "3", "5;1;3;2;4;6", "--draws", "2", "--comment", "Мои числа"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    // An empty file: stake, separator, stake for the next draw; the price is the profit until checked.
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (Row{"1", "Вручную", "3", "0", "1;2;3;4;5;6", "", "", "", "-1.50", "Мои числа"}));
    EXPECT_EQ(rows[1], SeparatorAt(2));
    EXPECT_EQ(rows[2], (Row{"3", "Вручную", "4", "0", "1;2;3;4;5;6", "", "", "", "-1.50", "Мои числа"}));

    // The draw comes: three of its numbers are in the stake; -1.50 + 10.
    r = Run({"add-draw", "3", "40;2;33;1;3;41;7;8", "--date", "01.02.2027"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(Rows()[0],
              (Row{"1", "Вручную", "3", "1", "1;2;3;4;5;6", "40;2;33;1;3;41", "3", "1 2 3", "8.50", "Мои числа"}));
    EXPECT_EQ(Rows({"--unchecked"}).size(), 1u);
    EXPECT_EQ(Rows({"--draw", "4"}).at(0).at(2), "4");

    // The waiting stake is worth (229,600 x 10 + 1 x 1000) / 12,271,512 = 0.1872 on average.
    const auto s = Summary();
    EXPECT_EQ(s.at("Записей в файле ставок"), "3");
    EXPECT_EQ(s.at("Ставок"), "2");
    EXPECT_EQ(s.at("Проверено ставок"), "1");
    EXPECT_EQ(s.at("Стоимость проверенных ставок"), "1.50");
    EXPECT_EQ(s.at("Выигрыши"), "10.00");
    EXPECT_EQ(s.at("Баланс проверенных ставок"), "8.50");
    EXPECT_EQ(s.at("Ставок ждут тиража"), "1");
    EXPECT_EQ(s.at("Стоимость ждущих ставок"), "1.50");
    EXPECT_EQ(s.at("Ожидаемый выигрыш ждущих ставок"), "0.19");
    EXPECT_EQ(s.at("Ожидаемый баланс ждущих ставок"), "-1.31");
}

TEST_F(CliStakes, CheckWaitsForTheDrawAndIsRepeatable) {
    ASSERT_EQ(Run({"stakes", "add", "2", "7;8;9;10;11;12"}).ExitCode, 0);
    // Draw 2 is in the archive already: adding checks it at once, six matches.
    EXPECT_EQ(Rows()[0][6], "6");
    EXPECT_EQ(Rows()[0][8], "998.50");
    auto r = Run({"stakes", "check"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "Проверено ставок: 0\n");
}

TEST_F(CliStakes, DeletesByRowsAndByCondition) {
    for (const char* numbers : {"1;2;3;40;41;42", "1;2;40;41;42;43", "1;2;3;4;40;41"})
        ASSERT_EQ(Run({"stakes", "add", "1", numbers}).ExitCode, 0);
    ASSERT_EQ(Run({"stakes", "add", "9", "1;2;3;4;5;6"}).ExitCode, 0);  // waits: -1 matches
    // Matches 3, 2, 4, -1.
    auto r = Run({"stakes", "delete", "--where", "hits>=3"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "Удалено записей: 2\n");
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][4], "1;2;40;41;42;43");
    EXPECT_EQ(rows[1][2], "9");
    // "< 1" takes the waiting stake too.
    ASSERT_EQ(Run({"stakes", "delete", "--where", "hits < 1"}).ExitCode, 0);
    ASSERT_EQ(Rows().size(), 1u);

    for (const char* numbers : {"5;6;7;8;9;10", "11;12;13;14;15;16", "17;18;19;20;21;22"})
        ASSERT_EQ(Run({"stakes", "add", "9", numbers}).ExitCode, 0);
    r = Run({"stakes", "delete", "1", "3-4"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][4], "5;6;7;8;9;10");
    ASSERT_EQ(Run({"stakes", "clear"}).ExitCode, 0);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(StakesBytes(), "");
}

TEST_F(CliStakes, DeletesTheStakesLogs) {
    auto r = Run({"stakes", "delete-logs"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("Файлы журналов не найдены!"), std::string::npos) << r.Err;
    test::WriteBytes(dir_ / "CorvelLotto_6x48-3.log", "x\r\n");
    test::WriteBytes(dir_ / "CorvelLotto_6x48-0.log", "y\r\n");
    test::WriteBytes(dir_ / "other.log", "z\r\n");
    r = Run({"stakes", "delete-logs"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_FALSE(fs::exists(dir_ / "CorvelLotto_6x48-3.log"));
    EXPECT_FALSE(fs::exists(dir_ / "CorvelLotto_6x48-0.log"));
    EXPECT_TRUE(fs::exists(dir_ / "other.log"));
}

TEST_F(CliStakes, RandomStakesRepeatWithTheirSeed) {
    test::TempDir other;
    WriteArchiveFile(other / "CorvelLotto_6x48.ldr", {test::MakeDraw(1, {1, 2, 3, 4, 5, 6})});
    fs::copy_file(dir_ / "CorvelLotto_6x48.ini", other / "CorvelLotto_6x48.ini");
    auto first = Run({"stakes", "add-random", "5", "--count", "20", "--seed", "12345"});
    ASSERT_EQ(first.ExitCode, 0) << first.Err;
    EXPECT_EQ(test::Lines(first.Out).at(0), "Зерно генератора случайных чисел: 12345");
    auto again = test::RunCliInProcess(
        {"--data-dir", other.path().string(), "stakes", "add-random", "5", "--count", "20", "--seed", "12345"});
    ASSERT_EQ(again.ExitCode, 0) << again.Err;
    const std::string mine = StakesBytes();
    EXPECT_EQ(mine.size(), 20 * TStakeRec::kFileSize);
    EXPECT_TRUE(test::ReadBytes(other / "CorvelLotto_6x48.lsk") == mine) << "the same seed makes the same stakes";

    // Every stake is six different numbers ascending; 20 draws from 12 million
    // repeat with a chance below 1 in 60,000.
    std::set<std::string> distinct;
    for (const Row& row : Rows()) {
        EXPECT_EQ(row[1], "Вручную");
        EXPECT_EQ(row[2], "5");
        distinct.insert(row[4]);
        int last = 0, count = 0;
        const std::string& numbers = row[4];
        for (std::size_t at = 0; at <= numbers.size();) {
            const std::size_t semi = std::min(numbers.find(';', at), numbers.size());
            const int n = std::stoi(numbers.substr(at, semi - at));
            EXPECT_GT(n, last) << numbers;
            EXPECT_LE(n, 48) << numbers;
            last = n;
            ++count;
            at = semi + 1;
        }
        EXPECT_EQ(count, 6) << numbers;
    }
    EXPECT_EQ(distinct.size(), 20u);

    auto unseeded = Run({"stakes", "add-random", "5"});
    ASSERT_EQ(unseeded.ExitCode, 0) << unseeded.Err;
    EXPECT_EQ(test::Lines(unseeded.Out).at(0).rfind("Зерно генератора случайных чисел: ", 0), 0u) << unseeded.Out;
}

TEST_F(CliStakes, AddsAWholeListAsSeries) {
    test::WriteBytes(dir_ / "three.lcv", "1;2;3;4;5;6\r\n12;11;10;9;8;7\r\n13;14;15;16;17;18\r\n");
    auto r = Run({"stakes", "add-list", "3", "--from", (dir_ / "three.lcv").string(), "--draws", "2"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    // 3 records for the first combination, 4 (separator first) for each further one.
    EXPECT_EQ(r.Out, "Добавлено записей: 11. Всего записей: 11.\n");
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 11u);
    const std::vector<std::pair<std::string, std::string>> drawsAndNumbers = {
        {"3", "1;2;3;4;5;6"},    {"", ""}, {"4", "1;2;3;4;5;6"},       {"", ""}, {"3", "7;8;9;10;11;12"},   {"", ""},
        {"4", "7;8;9;10;11;12"}, {"", ""}, {"3", "13;14;15;16;17;18"}, {"", ""}, {"4", "13;14;15;16;17;18"}};
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(std::make_pair(rows[i][2], rows[i][4]), drawsAndNumbers[i]) << "row " << i + 1;
    EXPECT_EQ(rows[0][3], "0");
    EXPECT_EQ(rows[0][9], "Ставка \"вручную\"");
}

TEST_F(CliStakes, TheWholeListWaitsForConfirmationOfItsSize) {
    const auto r = Run({"stakes", "add-list", "3"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("Будет записано 12271512 записей ставок (3.83 ГБ)"), std::string::npos) << r.Err;
    EXPECT_EQ(StakesBytes(), "");
}

// Refused commands: the message, the exit code, and the file as it was.
struct RefusedStake {
    const char* Name;
    std::vector<std::string> Args;
    int ExitCode;
    const char* Message;
    friend void PrintTo(const RefusedStake& c, std::ostream* os) { *os << c.Name; }
};

class CliStakesRefused : public CliStakes, public testing::WithParamInterface<RefusedStake> {};

TEST_P(CliStakesRefused, ChangesNothing) {
    ASSERT_EQ(Run({"stakes", "add", "5", "1;2;3;4;5;6"}).ExitCode, 0);
    const std::string before = StakesBytes();
    std::vector<std::string> args{"stakes"};
    args.insert(args.end(), GetParam().Args.begin(), GetParam().Args.end());
    const auto r = Run(args);
    EXPECT_EQ(r.ExitCode, GetParam().ExitCode) << r.Err;
    EXPECT_NE(r.Err.find(GetParam().Message), std::string::npos) << r.Err;
    EXPECT_EQ(StakesBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliStakesRefused,
    testing::Values(
        RefusedStake{"FiveNumbers", {"add", "5", "1;2;3;4;5"}, 2, "Введена некорректная комбинация!"},
        RefusedStake{"Number49", {"add", "5", "1;2;3;4;5;49"}, 2, "Введена некорректная комбинация!"},
        RefusedStake{"Number0", {"add", "5", "0;2;3;4;5;6"}, 2, "Введена некорректная комбинация!"},
        RefusedStake{"RepeatedNumber", {"add", "5", "1;2;3;4;5;5"}, 2, "Введена некорректная комбинация!"},
        RefusedStake{
            "EmptyComment", {"add", "5", "1;2;3;4;5;6", "--comment", " "}, 2, "Необходимо ввести комментарий!"},
        RefusedStake{
            "LongComment", {"add", "5", "1;2;3;4;5;6", "--comment", std::string(65, 'x')}, 2, "длиннее 64 символов"},
        RefusedStake{"DrawZero", {"add", "0", "1;2;3;4;5;6"}, 2, "DRAW"},
        RefusedStake{"SeriesPastTheLastDrawNumber",
                     {"add", "2147483600", "1;2;3;4;5;6", "--draws", "100"},
                     1,
                     "выходит за последний возможный номер тиража"},
        RefusedStake{"RowBeyondTheFile", {"delete", "2"}, 1, "Строки 2 нет в списке ставок (записей: 1)"},
        RefusedStake{"RowZero", {"delete", "0"}, 2, "Некорректный номер строки: 0"},
        RefusedStake{"RowsAndCondition", {"delete", "1", "--where", "hits=0"}, 2, "одно из двух"},
        RefusedStake{"NeitherRowsNorCondition", {"delete"}, 2, "одно из двух"},
        RefusedStake{"MatchesAboveSix", {"delete", "--where", "hits>=7"}, 2, "Некорректное условие: hits>=7"},
        RefusedStake{"UnknownOperator", {"delete", "--where", "hits!=2"}, 2, "Некорректное условие"}),
    [](const auto& row) { return std::string(row.param.Name); });

// Damaged stakes files: listing reads every whole record and says what it
// cannot trust; a writing command repairs the end after saving a copy.
std::string Encoded(const TStakeRec& rec) {
    std::string bytes(TStakeRec::kFileSize, '\0');
    EncodeStakeRec(rec, reinterpret_cast<std::uint8_t*>(bytes.data()));
    return bytes;
}

TStakeRec Stake(std::int32_t draw) {
    TStakeRec r;
    r.Kind = TStakeKind::Manual;
    r.Draw = draw;
    r.Stake = {6, {1, 2, 3, 4, 5, 6}};
    return r;
}

TEST_F(CliStakes, DamagedFilesAreReportedAndNoWholeRecordIsLost) {
    const fs::path file = dir_ / "CorvelLotto_6x48.lsk";
    TStakeRec tooMany = Stake(7);
    tooMany.Stake.Count = 9;
    TStakeRec hits = Stake(7);
    hits.Checked = true;
    hits.Hits.Count = 7;
    const std::string whole = Encoded(Stake(7)) + Encoded(tooMany) + Encoded(hits);
    test::WriteBytes(file, whole + std::string(100, 'x'));

    auto r = Run({"stakes", "list"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Err.find("неполной записью (100 байт)"), std::string::npos) << r.Err;
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][2], "7");
    EXPECT_NE(rows[1][1].find("количество чисел ставки 9"), std::string::npos) << rows[1][1];
    EXPECT_NE(rows[2][1].find("количество совпадений 7"), std::string::npos) << rows[2][1];
    EXPECT_EQ(test::ReadBytes(file).size(), whole.size() + 100) << "listing changes nothing";

    // A writing command opens the file as start-up does: the partial end goes,
    // after a copy of the whole file is saved; the damaged records stay.
    r = Run({"stakes", "check"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Err.find("поврежденных записей: 2"), std::string::npos) << r.Err;
    EXPECT_EQ(test::ReadBytes(file), whole);
    EXPECT_EQ(test::ReadBytes(dir_ / "CorvelLotto_6x48.lsk.bak"), whole + std::string(100, 'x'));

    // An old-version file is not read as stakes, and listing does not empty it.
    std::string old = whole;
    old[0] = 1;
    test::WriteBytes(file, old);
    r = Run({"stakes", "list"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("устаревшей версии"), std::string::npos) << r.Err;
    EXPECT_EQ(test::ReadBytes(file), old);
}

}  // namespace
}  // namespace corvel
