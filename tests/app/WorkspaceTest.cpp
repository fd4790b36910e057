// The workspace on real files: start-up on the sample archive, the
// statistics table with its prefetch cache, filters with undo, automatic
// filter steps and archive changes that cannot be saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "FakeUiHooks.h"
#include "TestSupport.h"
#include "app/Workspace.h"
#include "stats/FilterDefinition.h"
#include "stats/Prefetch.h"

namespace corvel {
namespace {

std::int64_t Binomial(int n, int k) {
    if (k < 0 || k > n) return 0;
    std::int64_t r = 1;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}
std::int64_t EvenCountCombinations(int k) { return Binomial(24, k) * Binomial(24, 6 - k); }

// The table the statistics service computes (or keeps) for the key.
const TStatTable& Computed(app::Workspace& ws, int index, int window, bool force) {
    ws.Statistics().ComputeTable(index, window, force);
    return ws.Statistics().Table();
}

class WorkspaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        ws_.Open();
    }
    int Index(const char* code) { return ws_.Statistics().Registry().FindMethod(code); }

    test::TempDir dir_;
    test::FakeUiHooks hooks_;
    app::Workspace ws_{app::DataFiles{dir_.path()}, hooks_};
};

TEST_F(WorkspaceTest, StartsWithArchiveAndFullList) {
    EXPECT_TRUE(hooks_.Errors.empty());
    EXPECT_EQ(ws_.Archive().Draws().size(), 1500u);
    EXPECT_EQ(ws_.Combinations().List().Current().Count(), kAllCombinations);
    EXPECT_FALSE(ws_.Combinations().List().CanUndo());
    EXPECT_EQ(hooks_.Busy, 0);
}

TEST_F(WorkspaceTest, TableUsesAndCachesThePrefetchFile) {
    const TStatTable& t = Computed(ws_, Index("EVEN"), 1000, true);
    ASSERT_TRUE(t.PrefetchUsed);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "Prefetchs" / "corvel-lotto_EVEN.dfc"));
    std::int64_t total = 0;
    for (const auto& row : t.Rows) {
        total += row.Value.Count;
        EXPECT_NE(row.Cells[3], "-");
    }
    EXPECT_EQ(total, 1000);
    const std::size_t statuses = hooks_.Statuses.size();
    Computed(ws_, Index("EVEN"), 1000, false);  // same key: nothing recomputed
    EXPECT_EQ(hooks_.Statuses.size(), statuses);
    ws_.Archive().SetOffset(10);
    Computed(ws_, Index("EVEN"), 1000, false);
    EXPECT_GT(hooks_.Statuses.size(), statuses);
    EXPECT_EQ(hooks_.Busy, 0);

    // Other weight coefficients (a scenario step's own) give a new weight column.
    const std::string weight = ws_.Statistics().Table().Rows[0].Cells[8];
    TCdlCoefficients countOnly;
    countOnly.CountCoef = 1;
    countOnly.DeviationCoef = 0;
    countOnly.LevelCoef = 0;
    ws_.Statistics().ApplyFilterCoefficients(true, countOnly);
    EXPECT_EQ(Computed(ws_, Index("EVEN"), 1000, false).Rows[0].Cells[8],
              ws_.Statistics().Table().Rows[0].Cells[1] + ".00");
    ws_.Statistics().ApplyFilterCoefficients(false, countOnly);
    EXPECT_EQ(Computed(ws_, Index("EVEN"), 1000, false).Rows[0].Cells[8], weight);

    // A damaged cache is rebuilt, not trusted.
    test::WriteBytes(dir_ / "Prefetchs" / "corvel-lotto_EVEN.dfc", std::string(30, '\x01'));
    EXPECT_TRUE(Computed(ws_, Index("EVEN"), 1000, true).PrefetchUsed);
    EXPECT_EQ(test::ReadBytes(dir_ / "Prefetchs" / "corvel-lotto_EVEN.dfc").size(), 8u * 12);
}

// Every number is in C(47,5) of the combinations, so with the NUMS cache the
// expected count is (largest + smallest window count) / 2 for every value,
// an exact half whenever that sum is odd; the half goes to the even neighbour.
TEST_F(WorkspaceTest, ExpectedCountIsExactAtHalves) {
    TStatDrawArray histogram(48);
    for (int n = 1; n <= 48; ++n) {
        histogram[static_cast<std::size_t>(n - 1)].Key[0] = static_cast<std::uint16_t>(n);
        histogram[static_cast<std::size_t>(n - 1)].Count = static_cast<std::int32_t>(Binomial(47, 5));
    }
    std::filesystem::create_directories(dir_ / "Prefetchs");
    test::WriteBytes(dir_ / "Prefetchs" / "corvel-lotto_NUMS.dfc", EncodePrefetch(histogram));
    int halves = 0;
    for (int window = 90; window <= 110; ++window) {
        SCOPED_TRACE(window);
        const TStatTable& t = Computed(ws_, Index("NUMS"), window, true);
        ASSERT_TRUE(t.PrefetchUsed);
        std::int64_t least = INT64_MAX, most = 0;
        for (const auto& row : t.Rows) {
            least = std::min<std::int64_t>(least, row.Value.Count);
            most = std::max<std::int64_t>(most, row.Value.Count);
        }
        const std::int64_t sum = least + most;
        std::int64_t expected = sum / 2;
        if (sum % 2 != 0) {
            ++halves;
            if (expected % 2 != 0) ++expected;
        }
        for (const auto& row : t.Rows) EXPECT_EQ(row.Cells[3], std::to_string(expected)) << row.Cells[0];
    }
    EXPECT_GT(halves, 0);
    EXPECT_TRUE(hooks_.Errors.empty());
}

TEST_F(WorkspaceTest, KeepAndRemoveThenUndo) {
    TStatDrawRec three;
    three.Key[0] = 3;
    ASSERT_TRUE(ws_.Combinations().Filter(Index("EVEN"), {three}, "3:3", false));
    EXPECT_EQ(static_cast<std::int64_t>(ws_.Combinations().List().Current().Count()), EvenCountCombinations(3));
    ASSERT_EQ(ws_.Combinations().Applied().Rows().size(), 1u);
    EXPECT_EQ(ws_.Combinations().Applied().Rows()[0].Values, "3:3");
    EXPECT_TRUE(ws_.Combinations().Applied().Rows()[0].Keep);

    TStatDrawRec one;
    one.Key[0] = 1;
    ASSERT_TRUE(ws_.Combinations().Filter(Index("NUMS"), {one}, "1", true));
    EXPECT_EQ(ws_.Combinations().Applied().Rows().size(), 2u);
    for (const auto& c : ws_.Combinations().List().Current().Items()) ASSERT_NE(c[0], 1);

    ASSERT_TRUE(ws_.Combinations().Undo());
    EXPECT_EQ(static_cast<std::int64_t>(ws_.Combinations().List().Current().Count()), EvenCountCombinations(3));
    EXPECT_EQ(ws_.Combinations().Applied().Rows().size(), 1u);
    EXPECT_FALSE(ws_.Combinations().Undo());  // one level only
}

TEST_F(WorkspaceTest, GridNumbersFilterWithNums) {
    EXPECT_FALSE(ws_.Combinations().FilterByNumbers({}, "Карта", false));
    EXPECT_EQ(hooks_.Errors.back(), "В выделенном диапазоне нет значений для фильтра!");
    ASSERT_TRUE(ws_.Combinations().FilterByNumbers({1, 2}, "Карта", true));
    EXPECT_EQ(static_cast<std::int64_t>(ws_.Combinations().List().Current().Count()), Binomial(46, 6));
    EXPECT_EQ(ws_.Combinations().Applied().Rows().back().Caption, "Карта");
    EXPECT_EQ(ws_.Combinations().Applied().Rows().back().Values, "1; 2");
}

TEST_F(WorkspaceTest, AutomaticMultiSelectKeepsEveryQualifyingRow) {
    const TFilterItem item = ParseFilterItem("TMF1#EVEN:100#CMV:20#SF:1", ws_.Statistics().Registry());
    const auto parts = ExpandFilterItem(item, ws_.Statistics().Registry());
    ASSERT_EQ(parts.size(), 1u);
    ASSERT_TRUE(ws_.Combinations().ApplyFilterPart(parts[0]));
    // Expected: every EVEN value counted at least 20 times in the last 100 draws.
    const TStatTable& t = ws_.Statistics().Table();
    std::int64_t expected = 0;
    for (const auto& row : t.Rows)
        if (row.Value.Count >= 20) expected += EvenCountCombinations(row.Value.Key[0]);
    ASSERT_GT(expected, 0);
    EXPECT_EQ(static_cast<std::int64_t>(ws_.Combinations().List().Current().Count()), expected);
    EXPECT_EQ(ws_.Combinations().Applied().Rows().size(), 1u);
}

TEST_F(WorkspaceTest, RowByRowStopsAfterStepsAndUndoesAnEmptyList) {
    // Remove the most frequent EVEN value only (one step).
    auto parts = ExpandFilterItem(ParseFilterItem("TSD1#EVEN:100#LNO:#ST:1", ws_.Statistics().Registry()),
                                  ws_.Statistics().Registry());
    ASSERT_TRUE(ws_.Combinations().ApplyFilterPart(parts[0]));
    std::vector<TStatTableRow> rows = ws_.Statistics().Table().Rows;
    SortStatTable(rows, 1, true);
    EXPECT_EQ(static_cast<std::int64_t>(ws_.Combinations().List().Current().Count()),
              static_cast<std::int64_t>(kAllCombinations) - EvenCountCombinations(rows[0].Value.Key[0]));

    // Keeping row after row empties the list at the second step: that step is
    // undone and, with SZ, the walk ends.
    ws_.Combinations().Generate(false);
    parts = ExpandFilterItem(ParseFilterItem("TSF1#EVEN:100#LNO:#SZ:1", ws_.Statistics().Registry()),
                             ws_.Statistics().Registry());
    ASSERT_TRUE(ws_.Combinations().ApplyFilterPart(parts[0]));
    EXPECT_EQ(static_cast<std::int64_t>(ws_.Combinations().List().Current().Count()),
              EvenCountCombinations(rows[0].Value.Key[0]));
    EXPECT_EQ(ws_.Combinations().Applied().Rows().back().Caption, "Отмена последней операции");
}

TEST_F(WorkspaceTest, PrefetchBuildingMakesEveryCache) {
    ws_.Statistics().BuildPrefetchFiles(true, 0);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir_ / "Prefetchs"))
        files += e.path().extension() == ".dfc";
    // Every number-property method but POE1, POE2 (14), every sum and
    // difference method but SUMC, SUMV, SUMT, KDS2, KDS3, KDS4 (12), and
    // SEQL, SEQS, LENS (3), and of the channel, matrix and segment families
    // all but the tuples (11 + 26 + 4 with the default geometry), the Ognev
    // numbers HCO1 and HCO2, and the three shredding formulas, which read no
    // earlier draw by default: the repeats, the series, the periods, HCO3 and
    // the tuples need a draw.
    EXPECT_EQ(files, 14 + 12 + 3 + 11 + 26 + 4 + 2 + 3);
    // Several methods share a pass over the enumeration; each file holds its
    // own method's values: 0..6 even numbers, the sums 21..273, a first
    // number of 1..43.
    for (const auto& [code, values] : {std::pair{"EVEN", 7u}, {"SUMS", 253u}, {"POS1", 43u}}) {
        const auto data = ReadPrefetch(dir_ / "Prefetchs" / ("corvel-lotto_" + std::string(code) + ".dfc"));
        ASSERT_TRUE(data) << code;
        EXPECT_EQ(data->Records.size(), values) << code;
    }
    EXPECT_FALSE(hooks_.ProgressOpen);
    EXPECT_EQ(hooks_.ProgressTexts.back(), "Создание файлов для полного набора комбинаций...");
}

// A four-draw archive and a short pasted list, small enough to work the
// automatic walks out by hand. NUMS over all four draws, sorted by count
// descending (equal counts by the value, descending):
//   1 (count 4, depth 1), 2 (3, depth 2), 3 (2, depth 3), then the values seen
//   once: 18..14 (depth 1), 13..10 (depth 2), 9..7 (depth 3), 6..4 (depth 4),
//   then the values never seen (depth "-").
class WorkspaceWalkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ws_.OpenSettingsAndRegistry();
        ws_.Statistics().SetPrefetchsEnabled(false);
        for (const auto& d : {test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {1, 2, 3, 7, 8, 9}),
                              test::MakeDraw(3, {1, 2, 10, 11, 12, 13}), test::MakeDraw(4, {1, 14, 15, 16, 17, 18})})
            ASSERT_TRUE(ws_.Archive().AddDraw(d));
    }
    void Apply(const char* definition, const char* combs) {
        ASSERT_TRUE(ws_.Combinations().Paste(combs));
        const auto parts =
            ExpandFilterItem(ParseFilterItem(definition, ws_.Statistics().Registry()), ws_.Statistics().Registry());
        ASSERT_EQ(parts.size(), 1u);
        ASSERT_TRUE(ws_.Combinations().ApplyFilterPart(parts[0]));
        EXPECT_TRUE(hooks_.Errors.empty());
    }
    std::vector<TCombination> Left() const {
        const auto items = ws_.Combinations().List().Current().Items();
        return {items.begin(), items.end()};
    }

    test::TempDir dir_;
    test::FakeUiHooks hooks_;
    app::Workspace ws_{app::DataFiles{dir_.path()}, hooks_, 64};
};

TEST_F(WorkspaceWalkTest, MultiSelectCountsEveryRowExaminedAsAStep) {
    // Three steps examine the rows of 1, 2 and 3; depth >= 2 picks 2 and 3
    // only, so the list that has 13 (depth 2, next qualifying row) goes.
    Apply("TMF1#NUMS:100#LMV:2#ST:3",
          "2 20 21 22 23 24\r\n3 25 26 27 28 29\r\n4 5 6 7 8 9\r\n10 11 12 13 30 31\r\n"
          "1 14 15 16 17 18\r\n40 41 42 43 44 45\r\n");
    EXPECT_EQ(Left(), (std::vector<TCombination>{{2, 20, 21, 22, 23, 24}, {3, 25, 26, 27, 28, 29}}));
    ASSERT_EQ(ws_.Combinations().Applied().Rows().size(), 1u);
    EXPECT_EQ(ws_.Combinations().Applied().Rows()[0].Values, "2; 3");
}

TEST_F(WorkspaceWalkTest, SingleSelectCountsOnlyStepsThatLeaveCombinations) {
    // Keep 2: two combinations. Keep 3 empties the list: undone, not a step.
    // Keep 13 (the next row of depth >= 2) is the second step; the walk ends.
    Apply("TSF1#NUMS:100#LMV:2#ST:2",
          "2 13 20 21 22 23\r\n2 24 25 26 27 28\r\n3 29 30 31 32 33\r\n13 34 35 36 37 38\r\n");
    EXPECT_EQ(Left(), (std::vector<TCombination>{{2, 13, 20, 21, 22, 23}}));
    std::vector<std::string> captions;
    for (const auto& row : ws_.Combinations().Applied().Rows()) captions.push_back(row.Caption + " " + row.Values);
    ASSERT_EQ(captions.size(), 4u);
    EXPECT_EQ(captions[1].substr(captions[1].size() - 2), " 3");
    EXPECT_EQ(captions[2], "Отмена последней операции ");
    EXPECT_EQ(captions[3].substr(captions[3].size() - 3), " 13");
}

// A cache whose trailer holds a largest count of 0 says nothing: it is not
// used and not rebuilt. A cache that cannot be built is reported and the
// others are built all the same.
TEST_F(WorkspaceTest, PrefetchBuildingIgnoresSilentCachesAndGoesOnPastAFailure) {
    std::vector<std::string> codes;
    for (int i = 0; i < ws_.Statistics().Registry().Count(); ++i)
        if (ws_.Statistics().Registry().IsPrefetchable(i)) codes.push_back(ws_.Statistics().Registry().Item(i).Code());
    ASSERT_GE(codes.size(), 3u);
    const auto folder = dir_ / "Prefetchs";
    // The first cache's name is taken by a folder, so it cannot be written.
    std::filesystem::create_directories(folder / ("corvel-lotto_" + codes.front() + ".dfc"));
    // The last one: a record of count 5, then the trailer 0, 0, 0.
    const std::string silent = std::string("\x03\0\0\0\0\0\0\0\x05\0\0\0", 12) + std::string(12, '\0');
    const auto silentFile = folder / ("corvel-lotto_" + codes.back() + ".dfc");
    test::WriteBytes(silentFile, silent);

    const TStatTable& t = Computed(ws_, ws_.Statistics().Registry().FindMethod(codes.back()), 1000, true);
    EXPECT_FALSE(t.PrefetchUsed);
    ASSERT_FALSE(t.Rows.empty());
    EXPECT_EQ(t.Rows[0].Cells[3], "-");
    EXPECT_TRUE(hooks_.Errors.empty());
    EXPECT_EQ(test::ReadBytes(silentFile), silent);

    ws_.Statistics().BuildPrefetchFiles(true, 0);
    ASSERT_EQ(hooks_.Errors.size(), 1u);
    EXPECT_NE(hooks_.Errors[0].find(codes.front()), std::string::npos);
    for (std::size_t k = 1; k + 1 < codes.size(); ++k)
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / ("corvel-lotto_" + codes[k] + ".dfc"))) << codes[k];
    EXPECT_EQ(test::ReadBytes(silentFile), silent);
    EXPECT_FALSE(hooks_.ProgressOpen);
    EXPECT_EQ(hooks_.Busy, 0);
}

struct EmptyWindowCase {
    const char* Name;
    const char* Definition;
};

void PrintTo(const EmptyWindowCase& c, std::ostream* os) { *os << c.Name; }

class WorkspaceEmptyWindow : public WorkspaceWalkTest, public ::testing::WithParamInterface<EmptyWindowCase> {};

// A window of no draws has no rows, so nothing is picked and the list stays.
TEST_P(WorkspaceEmptyWindow, PicksNothing) {
    const char* combs = "1 14 15 16 17 18\r\n40 41 42 43 44 45\r\n";
    Apply(GetParam().Definition, combs);
    EXPECT_EQ(Left(), (std::vector<TCombination>{{1, 14, 15, 16, 17, 18}, {40, 41, 42, 43, 44, 45}}));
    EXPECT_TRUE(ws_.Combinations().Applied().Rows().empty());
    EXPECT_TRUE(ws_.Statistics().Table().Rows.empty());
    EXPECT_EQ(ws_.Statistics().Table().Window.Length(), 0);
}

INSTANTIATE_TEST_SUITE_P(Windows, WorkspaceEmptyWindow,
                         ::testing::Values(EmptyWindowCase{"Zero", "TMF1#NUMS:0#CMV:1#SF:1"},
                                           EmptyWindowCase{"Negative", "TMF1#NUMS:-3#CMV:1#SF:1"},
                                           EmptyWindowCase{"ZeroRowByRow", "TSD1#NUMS:0#LNO:#SF:1"}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(WorkspaceArchive, FailedSaveKeepsFileAndMemoryEqual) {
    test::TempDir dir;
    test::FakeUiHooks hooks;
    app::Workspace ws(app::DataFiles{dir.path()}, hooks, 16);
    ws.Open();
    hooks.Errors.clear();  // a 16-slot list cannot take the full generation; not this test's concern
    ASSERT_TRUE(ws.Archive().AddDraw(test::MakeDraw(1, {1, 2, 3, 4, 5, 6})));
    const std::string saved = test::ReadBytes(dir / "CorvelLotto_6x48.ldr");
    // The archive can no longer be replaced: its name is taken by a folder.
    std::filesystem::remove(dir / "CorvelLotto_6x48.ldr");
    std::filesystem::create_directory(dir / "CorvelLotto_6x48.ldr");
    EXPECT_FALSE(ws.Archive().AddDraw(test::MakeDraw(2, {7, 8, 9, 10, 11, 12})));
    ASSERT_EQ(hooks.Errors.size(), 1u);
    EXPECT_EQ(hooks.Errors[0].rfind("Ошибка записи в файл тиражей!\r\r", 0), 0u);
    EXPECT_EQ(ws.Archive().Draws().size(), 1u);
    EXPECT_EQ(hooks.Busy, 0);

    EXPECT_FALSE(ws.Archive().DeleteDrawsAt({0, 5}));
    EXPECT_EQ(hooks.Errors.back(), "Запись со индексом 5 в файле данных не найдена!");
    EXPECT_EQ(ws.Archive().Draws().size(), 1u);
}

// An archive over the record limit is refused unread; adding a draw must not
// replace the whole file with that one draw.
TEST(WorkspaceArchive, ArchiveNotReadWholeIsNeverRewritten) {
    test::TempDir dir;
    const auto archive = dir / "CorvelLotto_6x48.ldr";
    test::WriteBytes(archive, "");
    std::filesystem::resize_file(archive, std::uintmax_t{10'000'001} * 24);  // sparse
    test::FakeUiHooks hooks;
    app::Workspace ws(app::DataFiles{dir.path()}, hooks, 16);
    ws.Archive().Load();
    ASSERT_EQ(hooks.Errors.size(), 1u);
    EXPECT_EQ(hooks.Errors[0].rfind("Ошибка чтения файла тиражей!\r\r", 0), 0u) << hooks.Errors[0];
    EXPECT_FALSE(ws.Archive().AddDraw(test::MakeDraw(1, {1, 2, 3, 4, 5, 6})));
    ASSERT_EQ(hooks.Errors.size(), 2u);
    EXPECT_NE(hooks.Errors[1].find("прочитан не полностью"), std::string::npos) << hooks.Errors[1];
    EXPECT_TRUE(ws.Archive().Draws().empty());
    EXPECT_EQ(std::filesystem::file_size(archive), std::uintmax_t{10'000'001} * 24);
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"CorvelLotto_6x48.ldr"});
}

TEST(WorkspaceArchive, DeletesByIndexWhenNumbersRepeat) {
    test::TempDir dir;
    test::FakeUiHooks hooks;
    app::Workspace ws(app::DataFiles{dir.path()}, hooks, 16);
    ws.Open();
    hooks.Errors.clear();
    // An imported archive may hold one number twice; the row chosen is the one that goes.
    for (const auto& d : {test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {7, 8, 9, 10, 11, 12}),
                          test::MakeDraw(2, {13, 14, 15, 16, 17, 18}), test::MakeDraw(3, {19, 20, 21, 22, 23, 24})})
        ASSERT_TRUE(ws.Archive().AddDraw(d));
    ASSERT_TRUE(ws.Archive().DeleteDrawsAt({2, 0, 2}));
    ASSERT_EQ(ws.Archive().Draws().size(), 2u);
    EXPECT_EQ(ws.Archive().Draws()[0].Numbers[0], 7);
    EXPECT_EQ(ws.Archive().Draws()[1].Number, 3);
    EXPECT_TRUE(hooks.Errors.empty());
    EXPECT_EQ(test::ReadBytes(dir / "CorvelLotto_6x48.ldr").size(), 2 * sizeof(TDrawRec));
}

// Commands that replace the list forget the undo copy and the applied filters
// only when they succeed; a failed one leaves the list and its history alone.
TEST_F(WorkspaceTest, ReplacingTheListKeepsItsHistoryOnFailure) {
    TStatDrawRec none;  // no even number: a short list, quick to save
    none.Key[0] = 0;
    ASSERT_TRUE(ws_.Combinations().Filter(Index("EVEN"), {none}, "0", false));
    const std::size_t filtered = ws_.Combinations().List().Current().Count();
    auto expectUnchanged = [&] {
        EXPECT_EQ(ws_.Combinations().List().Current().Count(), filtered);
        EXPECT_TRUE(ws_.Combinations().List().CanUndo());
        EXPECT_EQ(ws_.Combinations().Applied().Rows().size(), 1u);
        EXPECT_EQ(hooks_.Busy, 0);
    };
    EXPECT_FALSE(ws_.Combinations().OpenFile(dir_ / "missing.lcv"));
    expectUnchanged();
    EXPECT_FALSE(ws_.Combinations().Paste("1 2 3 4 5 6\r\n1 2 3\r\n"));
    expectUnchanged();
    EXPECT_FALSE(ws_.Combinations().Paste(" \r\n"));  // a blank clipboard
    expectUnchanged();
    EXPECT_FALSE(ws_.Combinations().Generate(4, (dir_ / "missing.lcv").string(), true));
    expectUnchanged();
    EXPECT_EQ(hooks_.Errors.size(), 4u);

    ASSERT_TRUE(ws_.Combinations().SaveFile(dir_ / "saved.lcv"));
    ASSERT_TRUE(ws_.Combinations().Paste("1 2 3 4 5 6\r\n7 8 9 10 11 12\r\n"));
    EXPECT_EQ(ws_.Combinations().List().Current().Count(), 2u);
    EXPECT_FALSE(ws_.Combinations().List().CanUndo());
    EXPECT_TRUE(ws_.Combinations().Applied().Rows().empty());

    EXPECT_EQ(ws_.Combinations().DeleteRows(std::vector<std::size_t>{1}), 1u);
    ASSERT_EQ(ws_.Combinations().Applied().Rows().size(), 1u);
    EXPECT_EQ(ws_.Combinations().Applied().Rows()[0].Caption, "Выделенные комбинации");
    EXPECT_EQ(ws_.Combinations().Applied().Rows()[0].Values, "1");

    ASSERT_TRUE(ws_.Combinations().OpenFile(dir_ / "saved.lcv"));
    EXPECT_EQ(ws_.Combinations().List().Current().Count(), filtered);
    EXPECT_FALSE(ws_.Combinations().List().CanUndo());
    EXPECT_TRUE(ws_.Combinations().Applied().Rows().empty());
}

}  // namespace
}  // namespace corvel
