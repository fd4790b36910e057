// The shredding methods SHR1..SHR3: registration and texts, the full-list
// distributions of the default formulas against a brute force in extended
// precision, the compiled formulas against the substituted text over the full
// list, the draws a value reads (the draws before it for a draw, none for a
// prefetch count, the window's last two for a filtered combination, never a
// later one), values of five digits in two key words, formulas that fail, and
// the command line with a formula that reads the draw before.
#include <gtest/gtest.h>
#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <tuple>

#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "model/DrawArchive.h"
#include "model/Expression.h"
#include "stats/AllCombinations.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDefault1 = "(n1+n2+n3)/(n4+n5+n6)";
constexpr const char* kDefault2 = "(n4+n5+n6)/(n1+n2+n3)";
constexpr const char* kDefault3 = "(n1+n3+n5)/(n2+n4+n6)";

std::vector<std::vector<std::string>> Rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

TStatKey ValueKey(int value) {
    TStatKey key{};
    SetKeyInt32(key, 0, value);
    return key;
}

TStatDrawRec Selection(int value) {
    TStatDrawRec rec;
    rec.Key = ValueKey(value);
    rec.Count = 1;
    return rec;
}

TEST(Shredding, RegistersThreeMethodsWithTheirFormulasInTheCaptions) {
    TDrawsArray draws;
    TStatList list;
    list.Settings.Formulas = {kDefault1, "n1/p1", "SQRT(t1)"};
    test::RegisterOver(list, draws);
    const int first = list.FindMethod("SHR1");
    ASSERT_EQ(first, list.Count() - 3) << "the last entries of the registration order";
    EXPECT_EQ(list.Item(first + 1).Code(), "SHR2");
    EXPECT_EQ(list.Item(first + 2).Code(), "SHR3");
    EXPECT_EQ(list.GetMethodCaption(first), "Метод шинковки 1: (n1+n2+n3)/(n4+n5+n6)");
    EXPECT_EQ(list.GetMethodText(first + 1, true), "{ shr } Метод шинковки 2: n1/p1 [ SNG ]");
    const TStatClass& cls = *list.Item(first).StatClass;
    EXPECT_EQ(cls.GetFamilyCode(), "SHRx");
    EXPECT_EQ(cls.Group, 12);
    EXPECT_EQ(cls.AllFlags(), kFlagS | kFlagN | kFlagG);
    // A formula reading an earlier draw has no count over all combinations.
    EXPECT_TRUE(list.IsPrefetchable(first));
    EXPECT_FALSE(list.IsPrefetchable(first + 1));
    EXPECT_FALSE(list.IsPrefetchable(first + 2));
    // The user's captions of the .flt file get the formula as well.
    list.Item(first).UserCaption = "Моя формула %s";
    EXPECT_EQ(list.GetMethodCaption(first), "Моя формула (n1+n2+n3)/(n4+n5+n6)");
}

// ---- the full list

struct DistributionCase {
    const char* Name;
    int Param;
    const char* Formula;
    int Digits;
    // The numerator and denominator of the default formula, from the six
    // ascending numbers.
    int (*Numerator)(const int (&)[6]);
    int (*Denominator)(const int (&)[6]);
};

int FirstThree(const int (&x)[6]) { return x[0] + x[1] + x[2]; }
int LastThree(const int (&x)[6]) { return x[3] + x[4] + x[5]; }
int Odd(const int (&x)[6]) { return x[0] + x[2] + x[4]; }
int Even(const int (&x)[6]) { return x[1] + x[3] + x[5]; }

class ShreddingDistribution : public ::testing::TestWithParam<DistributionCase> {};

// The brute force: the quotient in long double, its fraction's first digits.
TEST_P(ShreddingDistribution, FullListHistogramIsTheBruteForce) {
    const DistributionCase& c = GetParam();
    std::map<int, std::int64_t> expected;
    const long double scale = std::pow(10.0L, c.Digits);
    test::ForEachCombination([&](const int(&x)[6]) {
        const long double q = static_cast<long double>(c.Numerator(x)) / c.Denominator(x);
        ++expected[static_cast<int>(std::trunc((q - std::trunc(q)) * scale))];
    });

    TDrawsArray draws;
    TStatList list;
    list.Settings.Formulas[static_cast<std::size_t>(c.Param - 1)] = c.Formula;
    list.Settings.FormulaDigits[static_cast<std::size_t>(c.Param - 1)] = c.Digits;
    test::RegisterOver(list, draws);
    const int index = list.FindMethod("SHR" + std::to_string(c.Param));
    std::map<int, std::int64_t> counts;
    for (const TStatDrawRec& v :
         ParallelSpanHistogram([&] { return list.CreateStat(index); }, test::AllCombinations())) {
        EXPECT_EQ(v.Key[2] | v.Key[3], 0);
        counts[KeyInt32(v.Key, 0)] += v.Count;
    }
    EXPECT_EQ(counts, expected);
}

INSTANTIATE_TEST_SUITE_P(Defaults, ShreddingDistribution,
                         ::testing::Values(DistributionCase{"Formula1", 1, kDefault1, 2, FirstThree, LastThree},
                                           DistributionCase{"Formula2", 2, kDefault2, 2, LastThree, FirstThree},
                                           DistributionCase{"Formula3", 3, kDefault3, 2, Odd, Even},
                                           // Values up to 99999: two key words.
                                           DistributionCase{"Formula2FiveDigits", 2, kDefault2, 5, LastThree,
                                                            FirstThree}),
                         [](const auto& row) { return std::string(row.param.Name); });

// The compiled default formulas against their substituted text, over every
// combination (the variables of the draws before are 0 there, as in the
// prefetch counts).
TEST(ShreddingFullList, CompiledDefaultsAgreeWithTheTextEverywhere) {
    const auto& all = test::AllCombinations();
    for (const char* formula : {kDefault1, kDefault2, kDefault3}) {
        const TCompiledFormula compiled(formula);
        ASSERT_TRUE(compiled.Compiled()) << formula;
        std::atomic<std::size_t> differ{0};
        tbb::parallel_for(tbb::blocked_range<std::size_t>(0, all.size(), 1 << 16),
                          [&](const tbb::blocked_range<std::size_t>& r) {
                              std::size_t local = 0;
                              for (std::size_t i = r.begin(); i < r.end(); ++i) {
                                  const TFormulaValues v = FormulaValues(all[i], {}, {});
                                  local += compiled.Shredded(v, 5) != ShreddedValue(formula, 5, v);
                              }
                              differ += local;
                          });
        EXPECT_EQ(differ.load(), 0u) << formula;
    }
}

// ---- the draws a value reads

// Draw numbers 101..105; the first numbers in drawing order are 45, 3, 46, 5, 42.
TDrawsArray Archive() {
    return {test::MakeDraw(101, {45, 2, 30, 11, 7, 19}), test::MakeDraw(102, {3, 44, 12, 25, 8, 40}),
            test::MakeDraw(103, {46, 9, 1, 33, 20, 27}), test::MakeDraw(104, {5, 43, 17, 38, 22, 14}),
            test::MakeDraw(105, {42, 6, 31, 10, 48, 23})};
}

// p1 / 64 + t1 / 4096 is a binary fraction below 1, exact in any precision:
// its five digits are (64 p1 + t1) * 100000 / 4096 rounded down.
constexpr const char* kEarlierFormula = "p1/64+t1/4096";
int EarlierValue(int p1, int t1) { return (64 * p1 + t1) * 100000 / 4096; }

struct Registry {
    explicit Registry(TDrawsArray archive, const char* formula = kEarlierFormula, int digits = 5)
        : Draws(std::move(archive)) {
        List.Settings.Formulas[0] = formula;
        List.Settings.FormulaDigits[0] = digits;
        test::RegisterOver(List, Draws);
    }
    std::unique_ptr<TCustomStat> Stat() const { return List.CreateStat(List.FindMethod("SHR1")); }
    TDrawsArray Draws;
    TStatList List;
};

TEST(ShreddingDraws, DrawValuesReadTheDrawsBeforeAndPrefetchCountsNone) {
    const Registry r(Archive());
    auto stat = r.Stat();
    stat->SetContext(4, false);
    const std::vector<int> expected = {EarlierValue(0, 0), EarlierValue(45, 0), EarlierValue(3, 45),
                                       EarlierValue(46, 3), EarlierValue(5, 46)};
    for (int i = 0; i < 5; ++i) {
        TStatDrawArray values;
        stat->DrawValues(i, values);
        ASSERT_EQ(values.size(), 1u);
        EXPECT_EQ(values[0].Key, ValueKey(expected[static_cast<std::size_t>(i)])) << "draw " << i;
        EXPECT_EQ(values[0].Depth, 5 - i);
        EXPECT_EQ(stat->DrawGraphValue(i), expected[static_cast<std::size_t>(i)]);
    }
    // In sorted order the first number of draw 101 is 2.
    stat->SetContext(4, true);
    TStatDrawArray sorted;
    stat->DrawValues(1, sorted);
    EXPECT_EQ(sorted.at(0).Key, ValueKey(EarlierValue(2, 0)));

    // A bare combination for the prefetch has no draws before it.
    TStatDrawArray comb;
    stat->CombValues({1, 2, 3, 4, 5, 6}, comb);
    ASSERT_EQ(comb.size(), 1u);
    EXPECT_EQ(comb[0].Key, ValueKey(0));
    EXPECT_NE(comb[0].Key, ValueKey(expected[4]));
}

TEST(ShreddingDraws, FilteredCombinationReadsTheWindowsLastDrawsAndNoLaterOne) {
    const TCombination comb = {7, 8, 9, 10, 11, 12};
    // The draw after L = 2: p is draw 2 (first number 46), t is draw 1 (3).
    const int afterTwo = EarlierValue(46, 3);
    ASSERT_GT(afterTwo, 65535) << "the case needs a value beyond one key word";
    TStatDrawArray selected = {Selection(afterTwo)};
    // The low word alone is another value.
    TStatDrawRec lowWord;
    lowWord.Key = {static_cast<std::uint16_t>(afterTwo & 0xFFFF), 0, 0, 0};
    const TStatDrawArray wrong = {lowWord};

    auto answers = [&](const TDrawsArray& archive) {
        const Registry r(archive);
        auto stat = r.Stat();
        stat->PrepareFilter(2, false);
        std::uint8_t span[2] = {9, 9};
        const TCombination both[2] = {comb, comb};
        stat->SpanMatch(both, selected, false, span);
        std::uint8_t spanWrong = 9;
        stat->SpanMatch(std::span(&comb, 1), wrong, false, &spanWrong);
        return std::tuple(stat->CombMatches(comb, selected, false), stat->CombMatches(comb, wrong, false),
                          stat->CombGraphValue(comb), int{span[0]}, int{span[1]}, int{spanWrong});
    };
    const auto before = answers(Archive());
    EXPECT_EQ(before, std::tuple(true, false, afterTwo, 1, 1, 0));

    // Other draws after L, and more of them, change nothing.
    TDrawsArray changed = Archive();
    changed[3] = test::MakeDraw(104, {1, 2, 3, 4, 5, 6});
    changed[4] = test::MakeDraw(105, {48, 47, 46, 45, 44, 43});
    changed.push_back(test::MakeDraw(106, {20, 21, 22, 23, 24, 25}));
    EXPECT_EQ(answers(changed), before);

    // At the newest draw the window's last draws are 105 and 104.
    const Registry r(Archive());
    auto stat = r.Stat();
    stat->PrepareFilter(4, false);
    EXPECT_EQ(stat->CombGraphValue(comb), EarlierValue(42, 5));
}

TEST(ShreddingDraws, FiveDigitValuesKeepTheirTextAndParseBack) {
    const Registry r(Archive());
    auto stat = r.Stat();
    stat->SetContext(4, false);
    TStatDrawArray values;
    stat->DrawValues(3, values);
    const int value = EarlierValue(46, 3);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].Key, (TStatKey{static_cast<std::uint16_t>(value & 0xFFFF), 1, 0, 0}));
    EXPECT_EQ(stat->ValueToText(values[0]), std::to_string(value));
    EXPECT_EQ(stat->ParseValue(std::to_string(value)), value);
}

TEST(ShreddingDraws, AFormulaThatNeverEvaluatesGivesZeroForEveryDraw) {
    for (const char* formula : {"n1/0", "(n1+n2", "n1+", "LN(-n1)"}) {
        SCOPED_TRACE(formula);
        const Registry r(Archive(), formula, 2);
        auto stat = r.Stat();
        const TStatDrawArray values = ComputeWindowValues(*stat, {0, 4}, false);
        ASSERT_EQ(values.size(), 1u);
        EXPECT_EQ(values[0].Key, ValueKey(0));
        EXPECT_EQ(values[0].Count, 5);
        TStatDrawArray comb;
        stat->CombValues({1, 2, 3, 4, 5, 6}, comb);
        EXPECT_EQ(comb.at(0).Key, ValueKey(0));
    }
}

TEST(ShreddingDraws, DigitsOutsideTheirRangeCountAsTheDefault) {
    for (int digits : {0, 6, -1}) {
        const Registry r(Archive(), kDefault2, digits);
        TStatDrawArray comb;
        // 100 / 30 = 3.333...: two digits.
        r.Stat()->CombValues({3, 10, 17, 25, 31, 44}, comb);
        EXPECT_EQ(comb.at(0).Key, ValueKey(33)) << digits;
    }
}

// ---- the command line

TEST(ShreddingCli, AFormulaReadingTheDrawBeforeHasNoExpectedCounts) {
    test::TempDir dir;
    WriteArchiveFile(dir / "CorvelLotto_6x48.ldr", Archive());
    test::WriteBytes(dir / "CorvelLotto_6x48.ini",
                     "[SHREDDING]\r\nFormula2=n1/(p1+3)\r\nFormula2Digits=3\r\nFormula3=n1+n2\r\n");
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", dir.path().string()});
        return test::RunCliInProcess(args);
    };

    // n1 / (p1 + 3) for draw 104: 5 / 49 = 0.10204..., three digits 102; for
    // draw 105: 42 / 8 = 5.25, 250.
    const test::CliResult shr2 = run({"stats", "SHR2", "--window", "2", "--prefetch", "--sort", "0"});
    ASSERT_EQ(shr2.ExitCode, 0) << shr2.Err;
    const auto rows = Rows(shr2.Out);
    ASSERT_EQ(rows.size(), 3u) << shr2.Out;
    for (std::size_t i = 1; i < 3; ++i) {
        ASSERT_GT(rows[i].size(), 3u);
        EXPECT_EQ(rows[i][0], i == 1 ? "102" : "250");
        EXPECT_EQ(rows[i][1], "1");
        // No expectation: the "Норма" column shows "-", and no cache is made.
        EXPECT_EQ(rows[i][3], "-");
    }
    EXPECT_FALSE(fs::exists(dir / "Prefetchs" / "corvel-lotto_SHR2.dfc"));
    EXPECT_EQ(run({"prefetch", "SHR2"}).ExitCode, 2);

    // An integral formula: every value 0, expected from its cache.
    const test::CliResult shr3 = run({"stats", "SHR3", "--window", "5", "--prefetch"});
    ASSERT_EQ(shr3.ExitCode, 0) << shr3.Err;
    const auto zero = Rows(shr3.Out);
    ASSERT_EQ(zero.size(), 2u) << shr3.Out;
    ASSERT_GT(zero[1].size(), 3u);
    EXPECT_EQ(zero[1][0], "0");
    EXPECT_EQ(zero[1][1], "5");
    EXPECT_EQ(zero[1][3], "5");
    EXPECT_TRUE(fs::exists(dir / "Prefetchs" / "corvel-lotto_SHR3.dfc"));
}

}  // namespace
}  // namespace corvel
