// The statistics table cells and the prefetch cache files.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "stats/StatFixtures.h"
#include "stats/StatTable.h"

namespace corvel {
namespace {

// Twelve draws numbered 1..12 (the last five are hidden by offset 5 in some
// tests). Number 1 occurs in draws 1, 4 and 10; number 7 in draw 6 only.
TDrawsArray SmallArchive() {
    TDrawsArray d;
    const TCombination rows[] = {{1, 2, 3, 4, 5, 6},       {8, 9, 10, 11, 12, 13},   {14, 15, 16, 17, 18, 19},
                                 {1, 20, 21, 22, 23, 24},  {25, 26, 27, 28, 29, 30}, {7, 31, 32, 33, 34, 35},
                                 {36, 37, 38, 39, 40, 41}, {42, 43, 44, 45, 46, 47}, {2, 3, 4, 5, 6, 8},
                                 {1, 9, 10, 11, 12, 13},   {14, 15, 16, 17, 18, 19}, {20, 21, 22, 23, 24, 25}};
    int n = 1;
    for (const auto& r : rows) d.push_back(test::MakeDraw(n++, r));
    return d;
}

const TStatTableRow& RowFor(const TStatTable& t, const char* caption) {
    for (const auto& r : t.Rows)
        if (r.Cells[0] == caption) return r;
    throw std::runtime_error(std::string("no row ") + caption);
}

class StatTableTest : public ::testing::Test {
  protected:
    void SetUp() override { test::RegisterOver(list_, draws_); }
    TStatTable Compute(const char* code, int offset, int window, const TPrefetchData* prefetch = nullptr) {
        auto stat = list_.CreateStat(list_.FindMethod(code));
        TStatTableInput in{draws_, offset, window, false, {}, prefetch};
        return ComputeStatTable(*stat, in);
    }
    TDrawsArray draws_ = SmallArchive();
    TStatList list_;
};

TEST_F(StatTableTest, CellsOfAValueThatOccurredSeveralTimes) {
    const TStatTable t = Compute("NUMS", 0, 1000);
    EXPECT_EQ(t.Window.Length(), 12);
    const auto& one = RowFor(t, "1").Cells;
    EXPECT_EQ(one[1], "3");
    EXPECT_EQ(one[2], "4.16667");  // 3 of 72
    EXPECT_EQ(one[3], "-");        // no prefetch file
    EXPECT_EQ(one[6], "3");        // draw 10 is three back from draw 12
    EXPECT_EQ(one[7], "37.50");    // the deepest value (26..30, draw 5) is 8 back
    EXPECT_EQ(one[8], "3.00");     // default weight: depth - (count - expected) with no deviation
    EXPECT_EQ(one[9], "10");
    EXPECT_EQ(one[10], "3");
    EXPECT_EQ(one[11], "4.0000");
    EXPECT_EQ(one[12], "6");
    EXPECT_EQ(one[13], "14");  // 12 / 3 + 10
    EXPECT_EQ(one[14], "13");  // 4 x 10 / 3 = 13.33
    EXPECT_EQ(one[15], "14");  // 5 x 11 / 4 = 13.75
    EXPECT_EQ(one[16], "-");   // nothing hidden, so no later draw
}

TEST_F(StatTableTest, DashRules) {
    const TStatTable t = Compute("NUMS", 0, 1000);
    const auto& seven = RowFor(t, "7").Cells;  // once
    for (int c : {10, 11, 12, 13}) EXPECT_EQ(seven[static_cast<std::size_t>(c)], "-") << c;
    EXPECT_EQ(seven[14], "12");  // 2 x 6 / 1
    EXPECT_EQ(seven[15], "10");  // 3 x 7 / 2 = 10.5, the even neighbour
    const auto& never = RowFor(t, "48").Cells;
    EXPECT_EQ(never[1], "0");
    for (int c = 6; c < kStatColumns; ++c) EXPECT_EQ(never[static_cast<std::size_t>(c)], "-") << c;
}

TEST_F(StatTableTest, HiddenDrawsGiveTheFact) {
    // Offset 5: the window ends at draw 7; number 1 comes next in draw 10,
    // the third hidden draw.
    const TStatTable t = Compute("NUMS", 5, 1000);
    const auto& one = RowFor(t, "1").Cells;
    EXPECT_EQ(one[9], "4");
    EXPECT_EQ(one[16], "10");
    EXPECT_EQ(one[13], "8");   // 7 / 2 + 4 = 7.5, the even neighbour
    EXPECT_EQ(one[17], "-2");  // 8 - 10
    EXPECT_EQ(one[14], "6");   // 3 x 4 / 2
    EXPECT_EQ(one[18], "-4");
    const auto& two = RowFor(t, "2").Cells;  // draw 1, next in draw 9
    EXPECT_EQ(two[16], "9");
    EXPECT_EQ(two[17], "-");   // column 13 is "-" for a single occurrence
    EXPECT_EQ(two[18], "-7");  // 2 x 1 / 1 = 2
}

TEST_F(StatTableTest, PrefetchGivesExpectedCountsAndDeviation) {
    TPrefetchData data;
    data.Records = {{{1, 0, 0, 0}, 120}, {{7, 0, 0, 0}, 50}, {{48, 0, 0, 0}, 200}};
    data.AllMin = 50;
    data.AllMax = 200;
    const TStatTable t = Compute("NUMS", 0, 1000, &data);
    ASSERT_TRUE(t.PrefetchUsed);
    EXPECT_DOUBLE_EQ(t.Factor, 3.0 / 200);  // largest window count / largest cache count
    const auto& one = RowFor(t, "1").Cells;
    EXPECT_EQ(one[3], "2");  // 120 x 0.015 = 1.8
    EXPECT_EQ(one[4], "1");
    EXPECT_EQ(one[5], "50.00000");
    EXPECT_EQ(RowFor(t, "48").Cells[5], "-100.00000");
    EXPECT_EQ(RowFor(t, "2").Cells[5], "100.00000");  // expected 0, count 1
    EXPECT_EQ(RowFor(t, "2").Cells[3], "0");

    data.AllMax = 0;  // a cache that says nothing is not used
    EXPECT_FALSE(Compute("NUMS", 0, 1000, &data).PrefetchUsed);
}

TEST(StatTableHelpers, NearestGoesToEvenOnHalves) {
    const std::pair<long double, long long> cases[] = {{0.5L, 0}, {1.5L, 2},  {2.5L, 2},   {2.4L, 2},
                                                       {2.6L, 3}, {-0.5L, 0}, {-1.5L, -2}, {7.0L, 7}};
    for (auto [x, n] : cases) EXPECT_EQ(Nearest(x), n) << static_cast<double>(x);
}

TEST(StatTableHelpers, SortComparesNumbersAsNumbersAndFallsBackToCaption) {
    auto row = [](std::string caption, std::string cell) {
        TStatTableRow r;
        r.Cells[0] = std::move(caption);
        r.Cells[5] = std::move(cell);
        return r;
    };
    std::vector<TStatTableRow> rows{row("b", "10"), row("a", "9"), row("c", "-"), row("d", "9,5"), row("e", "10")};
    SortStatTable(rows, 5, false);
    std::string order;
    for (const auto& r : rows) order += r.Cells[0];
    EXPECT_EQ(order, "cadbe");  // "-" is text and sorts before digits; equal 10s by caption
    SortStatTable(rows, 5, true);
    order.clear();
    for (const auto& r : rows) order += r.Cells[0];
    EXPECT_EQ(order, "ebdac");

    // Text ignores the case of Russian letters too: equal cells keep the
    // captions in alphabetical order whatever their case.
    std::vector<TStatTableRow> words{row("Чёт", "x"),   row("нечет", "x"), row("Ёж", "x"),  row("яма", "X"),
                                     row("Альфа", "x"), row("беТа", "x"),  row("Бета", "x")};
    SortStatTable(words, 0, false);
    order.clear();
    for (const auto& r : words) order += r.Cells[0] + " ";
    EXPECT_EQ(order, "Альфа беТа Бета нечет Чёт яма Ёж ");
    SortStatTable(words, 5, false);
    EXPECT_EQ(words.front().Cells[0], "Альфа");
}

// The signed difference columns hold "+d", "0", "-d" and "-": numbers sort as
// numbers and "-" before all of them, whatever the order the rows come in.
TEST(StatTableHelpers, SignedDifferencesSortAsNumbersWithTheDashFirst) {
    const char* cells[] = {"+3", "-", "-12", "0", "+10", "-2", "-"};
    for (int column : {17, 18, 19}) {
        for (int shift = 0; shift < 7; ++shift) {
            std::vector<TStatTableRow> rows;
            for (int i = 0; i < 7; ++i) {
                TStatTableRow r;
                r.Cells[0] = std::to_string((i + shift) % 7);
                r.Cells[static_cast<std::size_t>(column)] = cells[(i + shift) % 7];
                rows.push_back(r);
            }
            SortStatTable(rows, column, false);
            std::string order;
            for (const auto& r : rows) order += r.Cells[static_cast<std::size_t>(column)] + " ";
            EXPECT_EQ(order, "- - -12 -2 0 +3 +10 ") << column << " " << shift;
            SortStatTable(rows, column, true);
            order.clear();
            for (const auto& r : rows) order += r.Cells[static_cast<std::size_t>(column)] + " ";
            EXPECT_EQ(order, "+10 +3 0 -2 -12 - - ") << column << " " << shift;
        }
    }
}

// Every column's comparison is a total preorder over the rows of a real table
// (hidden draws give signed differences) and a few awkward cells, and a
// sorted table is sorted under it in both directions.
TEST_F(StatTableTest, EveryColumnComparesAsATotalPreorder) {
    std::vector<TStatTableRow> rows = Compute("NUMS", 5, 1000).Rows;
    for (const char* odd : {"-", "+5", "-2", "9,5", "abc", "ABC", "nan", "inf", "+", "+-1", "1e3", ""}) {
        TStatTableRow r = rows[0];
        for (auto& cell : r.Cells) cell = odd;
        r.Cells[0] = std::string("x") + odd;
        rows.push_back(r);
        r.Cells[0] = odd;
        rows.push_back(r);
    }
    const std::size_t n = rows.size();
    for (int column = 0; column < kStatColumns; ++column) {
        SCOPED_TRACE(column);
        auto cmp = [&](std::size_t a, std::size_t b) { return CompareStatRows(rows[a], rows[b], column); };
        int faults = 0;
        for (std::size_t a = 0; a < n && faults == 0; ++a) {
            if (cmp(a, a) != 0) ++faults;
            for (std::size_t b = 0; b < n; ++b) {
                if (cmp(a, b) != -cmp(b, a)) ++faults;
                if (cmp(a, b) > 0) continue;
                for (std::size_t c = 0; c < n; ++c)
                    if (cmp(b, c) <= 0 && cmp(a, c) > 0) ++faults;  // a <= b <= c but a > c
            }
        }
        EXPECT_EQ(faults, 0);
        std::vector<TStatTableRow> sorted = rows;
        SortStatTable(sorted, column, false);
        auto less = [&](const TStatTableRow& a, const TStatTableRow& b) { return CompareStatRows(a, b, column) < 0; };
        EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), less));
        SortStatTable(sorted, column, true);
        EXPECT_TRUE(std::is_sorted(sorted.rbegin(), sorted.rend(), less));
    }
}

TEST(PrefetchFile, RoundTripAndDamagedFiles) {
    TStatDrawArray histogram(3);
    histogram[0].Key = {5, 0, 0, 0};
    histogram[0].Count = 30;
    histogram[1].Key = {2, 1, 0, 0};
    histogram[1].Count = 10;
    histogram[2].Key = {0xFFFF, 0xFFFF, 0, 0};  // -1 in two words sorts last
    histogram[2].Count = 20;
    const std::string bytes = EncodePrefetch(histogram);
    ASSERT_EQ(bytes.size(), 48u);
    // First record: key 2,1,0,0 then count 10, little-endian.
    EXPECT_EQ(bytes.substr(0, 12), std::string("\x02\x00\x01\x00\x00\x00\x00\x00\x0A\x00\x00\x00", 12));
    EXPECT_EQ(bytes.substr(36), std::string("\x0A\x00\x00\x00\x1E\x00\x00\x00\x00\x00\x00\x00", 12));
    auto data = DecodePrefetch(bytes);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->AllMin, 10);
    EXPECT_EQ(data->AllMax, 30);
    EXPECT_EQ(data->Records[2].Key[0], 0xFFFF);

    EXPECT_FALSE(DecodePrefetch(""));                   // empty: rebuilt
    EXPECT_FALSE(DecodePrefetch(bytes.substr(0, 47)));  // truncated
    std::string badTrailer = bytes;
    badTrailer[40] = 0x1F;  // largest count disagrees
    EXPECT_FALSE(DecodePrefetch(badTrailer));
    std::string badRecord = bytes;
    badRecord[8] = 0x09;  // a record count no longer the smallest one
    EXPECT_FALSE(DecodePrefetch(badRecord));
}

TEST(PrefetchFile, CreatedFileHoldsTheFullEnumerationCounts) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    test::TempDir dir;
    const auto folder = dir / "Prefetchs";
    const TPrefetchData made = CreatePrefetch(list, list.FindMethod("EVEN"), folder);
    const auto file = PrefetchPath(folder, "EVEN");
    EXPECT_EQ(file.filename(), "corvel-lotto_EVEN.dfc");
    auto read = ReadPrefetch(file);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Records, made.Records);
    ASSERT_EQ(made.Records.size(), 7u);
    EXPECT_EQ(made.Records[3].Count, 4'096'576);  // C(24,3)^2: three even, three odd
    EXPECT_EQ(made.AllMin, 134'596);              // C(24,6)
    EXPECT_EQ(made.AllMax, 4'096'576);
    EXPECT_FALSE(ReadPrefetch(dir / "missing.dfc"));
}

}  // namespace
}  // namespace corvel
