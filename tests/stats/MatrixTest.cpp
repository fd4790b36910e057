// Matrix columns and rows: draw values worked out by hand, the methods each
// matrix width registers, patterns wider than 32 bits, full-list figures from
// combinatorics and from a plain count over every combination, and rows that
// are channels when the widths agree.
#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "model/DrawArchive.h"
#include "stats/GroupFixtures.h"

namespace corvel {
namespace {

using test::Binomial;
using test::GroupRegistry;
using test::Key;

struct DrawCase {
    const char* Name;
    int Cols;
    TCombination Numbers;
    const char* Code;
    const char* Texts;
};

class MatrixOfOneDraw : public ::testing::TestWithParam<DrawCase> {};

TEST_P(MatrixOfOneDraw, Values) {
    const DrawCase& c = GetParam();
    const GroupRegistry r(test::Geometry(c.Cols, 6), {test::MakeDraw(9, c.Numbers)});
    EXPECT_EQ(test::DrawTexts(r, c.Code, true), c.Texts);
}

constexpr TCombination kDraw{1, 7, 8, 14, 20, 45};  // columns 1 1 2 2 2 3, rows 1 2 2 3 4 8

INSTANTIATE_TEST_SUITE_P(
    Draws, MatrixOfOneDraw,
    ::testing::Values(
        DrawCase{"Columns", 6, kDraw, "COLS", "1*2, 2*3, 3"}, DrawCase{"Rows", 6, kDraw, "ROWS", "1, 2*2, 3, 4, 8"},
        DrawCase{"ColumnCounts", 6, kDraw, "COLV", "1 x 2, 2 x 3, 3 x 1, 4 x 0, 5 x 0, 6 x 0"},
        DrawCase{"RowCounts", 6, kDraw, "ROWV", "1 x 1, 2 x 2, 3 x 1, 4 x 1, 5 x 0, 6 x 0, 7 x 0, 8 x 1"},
        DrawCase{"OccupiedColumns", 6, kDraw, "COLN", "3"}, DrawCase{"OccupiedRows", 6, kDraw, "ROWN", "5"},
        DrawCase{"ColumnPattern", 6, kDraw, "COLM", "111000 (056)"},
        DrawCase{"RowPattern", 6, kDraw, "ROWM", "11110001 (241)"},
        // 1-7 in column 1; 8-14 and 14-20 in column 2.
        DrawCase{"VerticallyAdjacent", 6, kDraw, "COLA", "1 x 2, 2 x 3"},
        DrawCase{"HorizontallyAdjacent", 6, kDraw, "ROWA", "2 x 2"},
        DrawCase{"ColumnsWithAdjacent", 6, kDraw, "COLC", "2"}, DrawCase{"RowsWithAdjacent", 6, kDraw, "ROWC", "1"},
        // 6 and 7 are consecutive but end and start a row.
        DrawCase{"RowEndsSplitNeighbours", 6, {5, 6, 7, 8, 30, 40}, "ROWA", "1 x 2, 2 x 2"},
        DrawCase{"NoAdjacentNumbers", 6, {1, 3, 5, 16, 30, 44}, "COLC", "0"},
        DrawCase{"ColumnNeighbourPairs", 6, kDraw, "KFS2", "1:1, 1:2, 2:2*2, 2:3"},
        DrawCase{"RowNeighbourPairs", 6, kDraw, "KRS2", "1:2, 2:2, 2:3, 3:4, 4:8"},
        DrawCase{"RowQuadruples", 6, kDraw, "KRS4", "1:2:2:3, 2:2:3:4, 2:3:4:8"},
        DrawCase{"ColumnTriples",
                 24,
                 {1, 2, 25, 26, 47, 48},
                 "KFM3",
                 "1:2:1, 1:2:2, 1:2:23*3, 1:2:24*3, 1:1:2, 1:1:23, 1:1:24, 1:23:24*2, 2:1:2, 2:1:23, "
                 "2:1:24, 2:2:23, 2:2:24, 2:23:24*2"},
        // Nine columns: the last row holds only 46, 47 and 48.
        DrawCase{"ShortLastRow", 9, {1, 2, 45, 46, 47, 48}, "ROW6", "3"},
        DrawCase{"ShortLastRowPattern", 9, {1, 2, 45, 46, 47, 48}, "ROWM", "100011 (035)"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(Matrix, PerColumnAndRowMethodsFollowTheWidth) {
    auto numbered = [](const char* prefix, int count) {
        std::vector<std::string> codes;
        for (int p = 1; p <= count; ++p) codes.push_back(prefix + std::to_string(p));
        return codes;
    };
    struct {
        int Cols;
        int Columns;
        int Rows;
    } const cases[] = {{6, 6, 8}, {8, 8, 6}, {7, 7, 7}, {9, 9, 6}, {10, 10, 5}, {1, 1, 48}, {48, 48, 1}, {0, 0, 0}};
    for (const auto& c : cases) {
        const GroupRegistry r(test::Geometry(c.Cols, 6));
        std::vector<std::string> columns, rows;
        for (const std::string& code : r.CodesStartingWith("COL"))
            if (std::isdigit(static_cast<unsigned char>(code[3]))) columns.push_back(code);
        for (const std::string& code : r.CodesStartingWith("ROW"))
            if (std::isdigit(static_cast<unsigned char>(code[3]))) rows.push_back(code);
        EXPECT_EQ(columns, numbered("COL", c.Columns)) << c.Cols;
        EXPECT_EQ(rows, numbered("ROW", c.Rows)) << c.Cols;
    }
}

TEST(Matrix, SeededRows) {
    struct {
        int Cols;
        const char* Code;
        const char* Texts;
    } const cases[] = {
        {12, "COLN", "1, 2, 3, 4, 5, 6"},
        {12, "ROWN", "1, 2, 3, 4"},
        {12, "COL5", "1, 2, 3, 4"},
        {4, "ROW2", "1, 2, 3, 4"},
        {16, "ROWS", "1, 2, 3"},
        {24, "ROWV",
         "1 x 0, 1 x 1, 1 x 2, 1 x 3, 1 x 4, 1 x 5, 1 x 6, 2 x 0, 2 x 1, 2 x 2, 2 x 3, 2 x 4, 2 x 5, 2 x 6"},
        {6, "COLM", ""},
        {6, "COLA", ""},
        {6, "ROWC", ""},
    };
    for (const auto& c : cases) {
        const GroupRegistry r(test::Geometry(c.Cols, 6));
        EXPECT_EQ(test::SeedTexts(r, c.Code), c.Texts) << c.Code << " width " << c.Cols;
    }
    // 16 columns of three numbers: counts 0..3 for each.
    TStatDrawArray values;
    GroupRegistry(test::Geometry(16, 6)).Stat("COLV")->EnumValues(values);
    EXPECT_EQ(values.size(), 16u * 4u);
    EXPECT_EQ(values.back().Key, Key(16, 3));
}

// One column (48 rows) or 48 columns: the pattern has 48 bits and is kept
// across three key words; two draws that differ only above bit 31 are two
// values.
TEST(Matrix, PatternsWiderThan32Bits) {
    const TDrawsArray draws{test::MakeDraw(1, {1, 2, 3, 4, 5, 48}), test::MakeDraw(2, {1, 2, 3, 4, 6, 48})};
    const std::uint64_t first = (std::uint64_t{31} << 43) | 1;  // bits 47..43 and 0
    const std::uint64_t second = (std::uint64_t{15} << 44) | (std::uint64_t{1} << 42) | 1;
    for (const auto& [cols, code] : {std::pair{1, "ROWM"}, std::pair{48, "COLM"}}) {
        const GroupRegistry r(test::Geometry(cols, 6), draws);
        auto stat = r.Stat(code);
        const TStatDrawArray values = ComputeWindowValues(*stat, MakeStatWindow(2, 0, 2), true);
        ASSERT_EQ(values.size(), 2u) << code;
        EXPECT_EQ(values[0].Key, Key(1, 0, static_cast<int>(first >> 32), 0)) << code;
        EXPECT_EQ(PackKey(values[1].Key), second) << code;
        EXPECT_EQ(stat->ValueToText(values[0]), "11111" + std::string(42, '0') + "1 (272678883688449)") << code;
        // A filter on the first value keeps only the first draw's numbers.
        EXPECT_TRUE(stat->CombMatches({1, 2, 3, 4, 5, 48}, {values[0]}, false));
        EXPECT_FALSE(stat->CombMatches({1, 2, 3, 4, 6, 48}, {values[0]}, false));
        std::vector<std::uint8_t> out(2);
        const TCombination combs[] = {{1, 2, 3, 4, 5, 48}, {1, 2, 3, 4, 6, 48}};
        stat->SpanMatch(combs, {values[1]}, false, out.data());
        EXPECT_EQ(out, (std::vector<std::uint8_t>{0, 1})) << code;
    }
}

TEST(Matrix, PatternTextsReadBack) {
    struct {
        int Cols;
        const char* Code;
        const char* Text;
        int Value;
    } const cases[] = {{6, "COLM", "101100 (044)", 44},
                       {6, "ROWM", "11110001 (241)", 241},
                       {12, "ROWM", "1010 (010)", 10},
                       {9, "ROWM", "100011 (035)", 35},
                       {1, "ROWM", "1", 1},
                       {1, "COLM", "1 (001)", 1}};
    for (const auto& c : cases) {
        const GroupRegistry r(test::Geometry(c.Cols, 6));
        EXPECT_EQ(r.Stat(c.Code)->ParseValue(c.Text), c.Value) << c.Code << " " << c.Text;
    }
    EXPECT_FALSE(GroupRegistry(test::Geometry(6, 6)).Stat("COLV")->Class().CanParseValue);
}

// Figures counted over every combination by the test's own loop: occupied
// columns and rows, patterns, adjacent pairs per column and row.
struct MatrixFigures {
    std::map<TStatKey, std::int64_t> Occupied[2], Pattern[2], Adjacent[2], WithAdjacent[2];
};

MatrixFigures CountMatrixFigures(int m) {
    MatrixFigures f;
    const int rows = (48 + m - 1) / m;
    test::ForEachCombination([&](const int(&x)[6]) {
        for (int side = 0; side < 2; ++side) {
            // side 0: columns (adjacent = same column, rows differ by 1); 1: rows.
            auto line = [&](int n) { return side == 0 ? (n - 1) % m + 1 : (n - 1) / m + 1; };
            auto across = [&](int n) { return side == 0 ? (n - 1) / m + 1 : (n - 1) % m + 1; };
            const int lines = side == 0 ? m : rows;
            std::uint64_t occupied = 0;
            int pairs[49] = {};
            for (int i = 0; i < 6; ++i) {
                occupied |= std::uint64_t{1} << (lines - line(x[i]));
                for (int j = i + 1; j < 6; ++j)
                    if (line(x[i]) == line(x[j]) && std::abs(across(x[i]) - across(x[j])) == 1) ++pairs[line(x[i])];
            }
            ++f.Occupied[side][Key(std::popcount(occupied))];
            ++f.Pattern[side][Key(static_cast<int>(occupied & 0xFFFF), static_cast<int>(occupied >> 16))];
            int with = 0;
            for (int l = 1; l <= lines; ++l)
                if (pairs[l]) {
                    ++with;
                    ++f.Adjacent[side][Key(l, pairs[l] + 1)];
                }
            ++f.WithAdjacent[side][Key(with)];
        }
    });
    return f;
}

std::map<TStatKey, std::int64_t> AsMap(const TStatDrawArray& values) {
    std::map<TStatKey, std::int64_t> m;
    for (const auto& v : values) m[v.Key] = v.Count;
    return m;
}

TEST(Matrix, FullListFigures) {
    for (int m : {6, 7}) {
        const GroupRegistry r(test::Geometry(m, 6));
        const MatrixFigures f = CountMatrixFigures(m);
        const char* const codes[4][2] = {{"COLN", "ROWN"}, {"COLM", "ROWM"}, {"COLA", "ROWA"}, {"COLC", "ROWC"}};
        const std::map<TStatKey, std::int64_t>* const expected[4][2] = {{&f.Occupied[0], &f.Occupied[1]},
                                                                        {&f.Pattern[0], &f.Pattern[1]},
                                                                        {&f.Adjacent[0], &f.Adjacent[1]},
                                                                        {&f.WithAdjacent[0], &f.WithAdjacent[1]}};
        for (int k = 0; k < 4; ++k)
            for (int side = 0; side < 2; ++side)
                EXPECT_EQ(AsMap(test::FullListHistogram(r, codes[k][side])), *expected[k][side])
                    << codes[k][side] << " width " << m;

        // A column of s numbers holds k of them in C(s,k) x C(48-s,6-k)
        // combinations; with 7 columns, columns 1..6 hold 7 numbers and
        // column 7 six.
        const TStatDrawArray colv = test::FullListHistogram(r, "COLV");
        for (int c = 1; c <= m; ++c) {
            const int s = (48 - c) / m + 1;
            for (int k = 0; k <= 6; ++k)
                EXPECT_EQ(test::CountOf(colv, Key(c, k)), Binomial(s, k) * Binomial(48 - s, 6 - k))
                    << "width " << m << " column " << c;
        }
    }
    // Nine columns: the short last row of three numbers.
    const GroupRegistry r9(test::Geometry(9, 6));
    for (const auto& v : test::FullListHistogram(r9, "ROW6"))
        EXPECT_EQ(v.Count, Binomial(3, v.Key[0]) * Binomial(45, 6 - v.Key[0])) << v.Key[0];
    for (const auto& v : test::FullListHistogram(r9, "COL4"))
        EXPECT_EQ(v.Count, Binomial(5, v.Key[0]) * Binomial(43, 6 - v.Key[0])) << v.Key[0];
}

TEST(Matrix, FiltersOverTheFullList) {
    const GroupRegistry r(test::Geometry(6, 6));
    const std::int64_t all = Binomial(48, 6);
    struct {
        const char* Code;
        std::initializer_list<TStatKey> Keys;
        std::int64_t Kept;
    } const cases[] = {
        {"COLV", {Key(6, 0)}, Binomial(40, 6)},  // nothing in column 6
        {"ROWV", {Key(1, 6)}, 1},                // 1..6
        {"COLN", {Key(1)}, 6 * Binomial(8, 6)},  // all six in one column
        {"COLM", {Key(0b100000)}, Binomial(8, 6)},
        {"COL2", {Key(0)}, Binomial(40, 6)},
        {"ROWS", {Key(8)}, all - Binomial(42, 6)},
        // Some vertically adjacent pair somewhere: one minus the count of
        // combinations with none (the test's own loop).
        {"COLC", {Key(1), Key(2), Key(3)}, all - CountMatrixFigures(6).WithAdjacent[0].at(Key(0))},
        {"KRS2", {Key(2, 1)}, 0},  // ascending numbers never go back a row
    };
    for (const auto& c : cases) EXPECT_EQ(test::FullListMatches(r, c.Code, c.Keys), c.Kept) << c.Code;
}

// With as many columns as a channel has numbers, a row is a channel: the row
// statistics equal the channel statistics, over the archive and over the
// full list.
TEST(Matrix, RowsAreChannelsOfTheSameWidth) {
    const TDrawsArray sample = ReadArchiveFile(std::filesystem::path(CORVEL_SAMPLE_DIR) / "CorvelLotto_6x48.ldr");
    for (int width : {6, 8}) {
        const GroupRegistry r(test::Geometry(width, width), sample);
        const int last = (48 + width - 1) / width;
        const std::vector<std::pair<std::string, std::string>> same = {
            {"ROWS", "CHAN"},
            {"ROWV", "CHNV"},
            {"ROWN", "CHNC"},
            {"KRM2", "KCM2"},
            {"KRS3", "KCS3"},
            {"ROW1", "CHN1"},
            {"ROW" + std::to_string(last), "CHN" + std::to_string(last)}};
        for (const auto& [row, channel] : same) {
            for (bool sorted : {false, true}) {
                auto a = r.Stat(row), b = r.Stat(channel);
                const TStatWindow window = MakeStatWindow(sample.size(), 0, 300);
                EXPECT_EQ(ComputeWindowValues(*a, window, sorted), ComputeWindowValues(*b, window, sorted))
                    << row << " width " << width;
            }
            if (r.Stat(row)->Class().IsPrefetchable()) {
                EXPECT_EQ(test::FullListHistogram(r, row), test::FullListHistogram(r, channel)) << row;
            }
        }
    }
}

}  // namespace
}  // namespace corvel
